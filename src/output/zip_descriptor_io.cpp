#include "output/zip_descriptor_io.h"

#include <unistd.h>

#include <cerrno>

namespace vintora {

namespace {

ZipDescriptor &descriptorOf(voidpf opaque)
{
    return *static_cast<ZipDescriptor *>(opaque);
}

void keepError(ZipDescriptor &descriptor, int error)
{
    if (descriptor.error == 0)
        descriptor.error = error != 0 ? error : EIO;
}

voidpf ZCALLBACK openDescriptor(voidpf opaque, const void *, int)
{
    return opaque;
}

uLong ZCALLBACK readDescriptor(voidpf opaque, voidpf, void *into, uLong size)
{
    ZipDescriptor &descriptor = descriptorOf(opaque);
    uLong done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor.fd, static_cast<char *>(into) + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            keepError(descriptor, errno);
        if (got <= 0)
            break;
        done += uLong(got);
    }
    return done;
}

uLong ZCALLBACK writeDescriptor(voidpf opaque, voidpf, const void *from, uLong size)
{
    ZipDescriptor &descriptor = descriptorOf(opaque);
    uLong done = 0;
    while (done < size) {
        const ssize_t put
                = ::write(descriptor.fd, static_cast<const char *>(from) + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            keepError(descriptor, put < 0 ? errno : ENOSPC);
            break;
        }
        done += uLong(put);
    }
    return done;
}

ZPOS64_T ZCALLBACK tellDescriptor(voidpf opaque, voidpf)
{
    ZipDescriptor &descriptor = descriptorOf(opaque);
    const off_t place = ::lseek(descriptor.fd, 0, SEEK_CUR);
    if (place < 0) {
        keepError(descriptor, errno);
        return ZPOS64_T(-1);
    }
    return ZPOS64_T(place);
}

long ZCALLBACK seekDescriptor(voidpf opaque, voidpf, ZPOS64_T offset, int origin)
{
    ZipDescriptor &descriptor = descriptorOf(opaque);
    int whence = SEEK_SET;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        whence = SEEK_CUR;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        whence = SEEK_END;
    if (::lseek(descriptor.fd, off_t(offset), whence) < 0) {
        keepError(descriptor, errno);
        return -1;
    }
    return 0;
}

// The descriptor stays open: its owner closes it, and for a file in the
// making that is what puts it in place.
int ZCALLBACK closeDescriptor(voidpf, voidpf)
{
    return 0;
}

int ZCALLBACK descriptorError(voidpf opaque, voidpf)
{
    return descriptorOf(opaque).error;
}

} // namespace

zlib_filefunc64_def ZipDescriptorFunctions(ZipDescriptor &descriptor)
{
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openDescriptor;
    functions.zread_file = readDescriptor;
    functions.zwrite_file = writeDescriptor;
    functions.ztell64_file = tellDescriptor;
    functions.zseek64_file = seekDescriptor;
    functions.zclose_file = closeDescriptor;
    functions.zerror_file = descriptorError;
    functions.opaque = &descriptor;
    return functions;
}

} // namespace vintora
