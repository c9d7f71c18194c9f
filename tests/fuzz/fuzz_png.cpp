// The PNG reader, through the calls the game makes: a picture file loads as a
// picture or as none, and a PNG embedded in a font file is read up to its IEND
// chunk, leaving the stream on the first byte after it.
#include "platform/platform.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstring>
#include <vector>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// Where the first IEND chunk ends, walking the chunks from the signature; 0
// when there is none.
size_t endOfIend(const uint8_t* data, size_t size) {
    for (size_t pos = 8; pos + 12 <= size;) {
        const size_t length = size_t(data[pos]) << 24 | size_t(data[pos + 1]) << 16 |
                              size_t(data[pos + 2]) << 8 | data[pos + 3];
        if (length > size) return 0;
        if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return pos + 12 + length;
        pos += 12 + length;
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzFile("picture.png", data, size);
    PicturePtr pic = LoadPicture(path, size % 2 ? -1 : 0);
    if (pic)
        check(PictureWidth(pic.get()) > 0 && PictureHeight(pic.get()) > 0 && PictureFrames(pic.get()) == 1);

    // The same bytes followed by a marker, as the font loader meets them.
    std::vector<uint8_t> bytes(data, data + size);
    bytes.insert(bytes.end(), {'N', 'E', 'X', 'T'});
    StreamPtr stream = OpenMemory(bytes);
    PixmapPtr pixmap = LoadPixmapFromStream(stream.get());
    if (pixmap) {
        check(pixmap->width > 0 && pixmap->height > 0 && pixmap->pitch == pixmap->width * 4);
        check(StreamPos(stream.get()) == endOfIend(data, size));
        // A picture decodes from the file alike.
        check(pic != nullptr);
        check(PictureWidth(pic.get()) == pixmap->width && PictureHeight(pic.get()) == pixmap->height);
    }
    return 0;
}
