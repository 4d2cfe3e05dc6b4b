#include "pictures/location_keys.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vintora {

namespace {

bool startsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// The coordinates themselves.
constexpr std::array<std::string_view, 4> kCoordinateKeys{
        "Exif.GPSInfo.GPSLatitude",
        "Exif.GPSInfo.GPSLongitude",
        "Xmp.exif.GPSLatitude",
        "Xmp.exif.GPSLongitude",
};

// Place names, and the structures of the IPTC Extension that hold them
// (with their coordinates) under keys that start so.
constexpr std::array<std::string_view, 14> kPlaceKeys{
        "Iptc.Application2.City",
        "Iptc.Application2.SubLocation",
        "Iptc.Application2.ProvinceState",
        "Iptc.Application2.CountryCode",
        "Iptc.Application2.CountryName",
        "Iptc.Application2.LocationCode",
        "Iptc.Application2.LocationName",
        "Xmp.photoshop.City",
        "Xmp.photoshop.State",
        "Xmp.photoshop.Country",
        "Xmp.iptc.Location",
        "Xmp.iptc.CountryCode",
        "Xmp.iptcExt.LocationCreated",
        "Xmp.iptcExt.LocationShown",
};

bool isPlaceKey(std::string_view key)
{
    return std::any_of(kPlaceKeys.begin(), kPlaceKeys.end(),
                       [key](std::string_view place) { return startsWith(key, place); });
}

bool notBlank(const std::string &value)
{
    return std::any_of(value.begin(), value.end(),
                       [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

template<typename Data>
bool tellsLocation(const Data &data)
{
    return std::any_of(data.begin(), data.end(), [](const auto &datum) {
        const std::string key = datum.key();
        if (std::find(kCoordinateKeys.begin(), kCoordinateKeys.end(), key) != kCoordinateKeys.end())
            return true;
        return isPlaceKey(key) && notBlank(datum.toString());
    });
}

template<typename Data>
bool holdsLocationKey(const Data &data)
{
    return std::any_of(data.begin(), data.end(),
                       [](const auto &datum) { return IsLocationKey(datum.key()); });
}

template<typename Data>
bool eraseLocation(Data &data)
{
    bool erased = false;
    for (auto at = data.begin(); at != data.end();) {
        if (IsLocationKey(at->key())) {
            at = data.erase(at);
            erased = true;
        } else {
            ++at;
        }
    }
    return erased;
}

} // namespace

bool IsLocationKey(const std::string &key)
{
    return startsWith(key, "Exif.GPSInfo.") || key == "Exif.Image.GPSTag"
           || startsWith(key, "Xmp.exif.GPS") || isPlaceKey(key);
}

bool TellsLocation(const Exiv2::ExifData &exif, const Exiv2::XmpData &xmp,
                   const Exiv2::IptcData &iptc)
{
    return tellsLocation(exif) || tellsLocation(xmp) || tellsLocation(iptc);
}

bool EraseLocation(Exiv2::ExifData &exif, Exiv2::XmpData &xmp, Exiv2::IptcData &iptc)
{
    const bool fromExif = eraseLocation(exif);
    const bool fromXmp = eraseLocation(xmp);
    const bool fromIptc = eraseLocation(iptc);
    return fromExif || fromXmp || fromIptc;
}

bool HoldsLocationKey(const Exiv2::ExifData &exif, const Exiv2::XmpData &xmp,
                      const Exiv2::IptcData &iptc)
{
    return holdsLocationKey(exif) || holdsLocationKey(xmp) || holdsLocationKey(iptc);
}

} // namespace vintora
