#pragma once

#include <minizip/ioapi.h>

namespace vintora {

// An open descriptor as minizip's file: reads, writes and seeks go straight
// to it, and closing the zip leaves it open for its owner. The first error
// of a call is kept for the caller's message.
struct ZipDescriptor
{
    int fd = -1;
    int error = 0;
};

// The functions minizip calls for the descriptor; zipOpen2_64 and
// unzOpen2_64 take them with any name, which they pass back unread.
zlib_filefunc64_def ZipDescriptorFunctions(ZipDescriptor &descriptor);

} // namespace vintora
