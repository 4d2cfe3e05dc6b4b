#pragma once

#include <QImage>

#include <algorithm>
#include <cmath>

// A photograph-like picture: soft shapes in colour, with the fine noise of
// a camera's sensor, which is what makes camera files large and slow to
// decode. The seed starts the noise; fx and fy set the shapes' waves.
inline QImage NoisyPhotograph(QSize size, int seed, double fx, double fy)
{
    QImage image(size, QImage::Format_RGB32);
    quint32 state = 2463534242u + quint32(seed); // xorshift: fast, and enough for noise
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double u = double(x) / size.width(), v = double(y) / size.height();
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state % 17) - 8;
            const auto channel = [&](double value) {
                return std::clamp(int(value) + noise, 0, 255);
            };
            line[x] = qRgb(channel(128 + 100 * std::sin(fx * u * 6.28 + v)),
                           channel(128 + 90 * std::cos(fy * v * 6.28 - u)),
                           channel(64 + 150 * u * v));
        }
    }
    return image;
}
