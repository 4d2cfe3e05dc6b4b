#pragma once

// Which of a picture's metadata tells where it was taken: the GPS block of
// its EXIF, XMP's GPS properties, and the names of the place in IPTC and
// XMP (city, sub-location, state, country, location).

#include <exiv2/exiv2.hpp>

#include <string>

namespace vintora {

// Whether the key (in Exiv2's form, "Exif.GPSInfo.GPSLatitude") is one
// that tells where the picture was taken, or the pointer to such a block.
bool IsLocationKey(const std::string &key);

// Whether the metadata tells where the picture was taken: coordinates, or
// a place name that is not blank.
bool TellsLocation(const Exiv2::ExifData &exif, const Exiv2::XmpData &xmp,
                   const Exiv2::IptcData &iptc);

// Removes every location key; true when there was one.
bool EraseLocation(Exiv2::ExifData &exif, Exiv2::XmpData &xmp, Exiv2::IptcData &iptc);

// Whether any key of the three is a location key.
bool HoldsLocationKey(const Exiv2::ExifData &exif, const Exiv2::XmpData &xmp,
                      const Exiv2::IptcData &iptc);

} // namespace vintora
