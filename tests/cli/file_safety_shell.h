#pragma once

// The shell, snapshots and pictures of the command-line file-safety rows.

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

constexpr int kKilled = -9; // the run was killed

// Runs a shell command in the folder, with $CLI naming vintora-cli; its
// exit status (kKilled when a signal ended it) and standard error.
inline std::pair<int, QByteArray> shell(const QString &folder, const QString &command)
{
    QProcess sh;
    sh.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CLI", VINTORA_CLI);
    sh.setProcessEnvironment(environment);
    sh.start("/bin/sh", {"-c", command});
    if (!sh.waitForFinished(30000)) {
        sh.kill();
        sh.waitForFinished();
        return {-1, "the command hung"};
    }
    const int status = sh.exitCode() >= 128 ? kKilled : sh.exitCode();
    return {status, sh.readAllStandardError() + sh.readAllStandardOutput()};
}

// Every entry of the tree: its kind, path, and for files their checksum;
// names are kept as the bytes they are.
inline QList<QByteArray> snapshot(const QString &folder)
{
    QList<QByteArray> lines = shell(folder, "{ find . ! -type f -printf '%y %p %l\\n'; find . "
                                            "-type f -exec md5sum {} +; } 2>&1")
                                      .second.split('\n');
    lines.removeAll(QByteArray());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A JPEG of a picture of one colour, 400 x 300, padded to size bytes.
inline QByteArray jpegOf(QColor colour, qsizetype size)
{
    QImage image(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            image.setPixel(x, y,
                           colour == Qt::black ? qRgb(x % 256, y, (x * y) % 256) : colour.rgb());
    for (qsizetype pad = 0;; ++pad) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        if (pad > 0)
            writer.setText("pad", QString(pad, 'p'));
        writer.write(image);
        if (size == 0 || bytes.size() >= size)
            return bytes;
    }
}

// A camera's photograph of 4032 x 3024, with a sensor's fine noise.
inline void writeCameraPhotograph(const QString &path)
{
    QImage image(4032, 3024, QImage::Format_RGB32);
    quint32 noise = 2463534242u;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int n = int(noise % 17) - 8;
            line[x] = qRgb(std::clamp(x / 16 + n, 0, 255), std::clamp(y / 12 + n, 0, 255),
                           std::clamp(128 + n, 0, 255));
        }
    }
    image.save(path, "jpeg", 92);
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool matchesOne(const QString &entry, QStringList &patterns)
{
    for (qsizetype i = 0; i < patterns.size(); ++i) {
        if (QRegularExpression(QRegularExpression::anchoredPattern(patterns.at(i)))
                    .match(entry)
                    .hasMatch()) {
            patterns.removeAt(i);
            return true;
        }
    }
    return false;
}
