#include "designer/twips.h"

#include <cmath>
#include <limits>

namespace vintora {

std::optional<qint16> toInteger16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

int pixelsFromTwips(double twips)
{
    return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel));
}

} // namespace vintora
