// The JPEG reader, through the call the game makes for its backgrounds and
// story pages: any file loads as an opaque picture or as none.
#include "platform/platform.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzFile("picture.jpg", data, size);
    PicturePtr pic = LoadPicture(path, 0);
    if (pic && (PictureWidth(pic.get()) <= 0 || PictureHeight(pic.get()) <= 0)) std::abort();
    // The font loader's pixmap path reads the same file.
    PixmapPtr pixmap = LoadPixmap(path);
    if ((pixmap != nullptr) != (pic != nullptr)) std::abort();
    return 0;
}
