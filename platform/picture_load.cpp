// Making pictures and pixmaps from files and from pixels.
#include <cstring>

#include "platform/debuglog.h"
#include "platform/sdl_internal.h"

namespace {

// Reads and decodes a picture file; a file that is missing or cannot be
// decoded is written to the debug log by name.
bool ReadPictureFile(const std::string& path, DecodedImage& image)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        DebugLog("Picture " + path + ": missing");
        return false;
    }
    if (!DecodeImageBytes(bytes, image)) {
        DebugLog("Picture " + path + ": damaged, not a whole PNG or JPEG picture");
        return false;
    }
    return true;
}

PicturePtr PictureFromImage(DecodedImage& image, int flags)
{
    flags = NormalisePictureFlags(flags);
    // Pictures without an alpha channel of their own take black as the mask colour.
    if ((flags & PIC_MASK) && !image.hasAlpha) {
        for (size_t i = 0; i < image.rgba.size(); i += 4) {
            if (image.rgba[i] == 0 && image.rgba[i + 1] == 0 && image.rgba[i + 2] == 0) image.rgba[i + 3] = 0;
        }
    }
    PicturePtr pic(new Picture(image.width, image.height, 1, flags));
    std::memcpy(pic->frames[0].pixels->words.data(), image.rgba.data(), image.rgba.size());
    image.rgba = {};
    return pic;
}

} // namespace

PicturePtr LoadPicture(const std::string& path, int flags)
{
    DecodedImage image;
    if (!ReadPictureFile(path, image)) return nullptr;
    return PictureFromImage(image, flags);
}

PicturePtr PictureFromPixmap(const Pixmap& pixmap, int flags)
{
    if (!pixmap.pixels || pixmap.width <= 0 || pixmap.height <= 0) return nullptr;
    PicturePtr pic(new Picture(pixmap.width, pixmap.height, 1, NormalisePictureFlags(flags)));
    Paste(&pic->frames[0].view, &pixmap, 0, 0);
    return pic;
}

PixmapPtr PixmapFromImage(DecodedImage&& image)
{
    auto pixmap = std::make_unique<Pixmap>();
    pixmap->width = image.width;
    pixmap->height = image.height;
    pixmap->pitch = image.width * 4;
    pixmap->storage = std::move(image.rgba);
    pixmap->pixels = pixmap->storage.data();
    return pixmap;
}

PixmapPtr LoadPixmap(const std::string& path)
{
    DecodedImage image;
    if (!ReadPictureFile(path, image)) return nullptr;
    return PixmapFromImage(std::move(image));
}
