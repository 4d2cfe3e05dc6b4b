// The facts reader and the removal of where a picture was taken, through
// Exiv2, on any bytes.

#include "fuzz_check.h"
#include "pictures/location_removal.h"
#include "pictures/picture_facts.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString note;
    const vintora::PictureFacts facts = vintora::ReadPictureFacts(bytes, &note);
    // Texts are shortened, the ellipsis included.
    FUZZ_CHECK(facts.description.size() <= 2000);
    FUZZ_CHECK(facts.camera.size() <= 200 && facts.lens.size() <= 200);
    FUZZ_CHECK(facts.takenOffset.isEmpty() || !facts.taken.isEmpty());

    const vintora::LocationRemoval removal = vintora::RemoveLocation(bytes);
    if (removal.outcome == vintora::LocationRemoval::Outcome::Removed) {
        // What is published tells no place.
        FUZZ_CHECK(!vintora::ReadPictureFacts(removal.bytes).hasLocation);
    }
    if (removal.outcome == vintora::LocationRemoval::Outcome::NoLocation)
        FUZZ_CHECK(!facts.hasLocation || !note.isEmpty());
    FUZZ_CHECK((removal.outcome == vintora::LocationRemoval::Outcome::NotPossible)
               == !removal.why.isEmpty());
    return 0;
}
