// Byte sources for the decoders and whole-file reading through the stream API.
#include <cstring>

#include "platform/sdl_internal.h"

size_t ByteSource::Read(void* dst, size_t n)
{
    if (stream) {
        try {
            return ReadBytes(stream, dst, n);
        } catch (...) {
            return 0;
        }
    }
    const size_t available = pos < size ? size - pos : 0;
    const size_t count = n < available ? n : available;
    if (count) std::memcpy(dst, data + pos, count);
    pos += count;
    return count;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    try {
        StreamPtr s = OpenRead(path);
        if (!s) return false;
        const size_t size = StreamSize(s.get());
        bytes.resize(size);
        const size_t got = size ? ReadBytes(s.get(), bytes.data(), size) : 0;
        bytes.resize(got);
        Close(s);
        return true;
    } catch (...) {
        return false;
    }
}

bool DecodeImageBytes(const std::vector<uint8_t>& bytes, DecodedImage& out)
{
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P') {
        ByteSource src;
        src.data = bytes.data();
        src.size = bytes.size();
        return DecodePng(src, out);
    }
    return DecodeJpeg(bytes.data(), bytes.size(), out);
}
