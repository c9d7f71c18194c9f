#include "fmf.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace fonts {

namespace {

void putInt(std::string& out, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 255));
}

void putRecord(std::string& out, int code, const char* tag, const GlyphLayer& l) {
    putInt(out, code);
    out += tag;
    out += '\n';
    putInt(out, 0);
    out += encodePng(l.pic);
    out += '\n';
    putInt(out, 0);
    for (int v : {l.offX, l.offY, l.drawW, l.drawH, l.charWidth}) putInt(out, v);
    out += '\n';
}

struct Reader {
    const std::string& data;
    size_t pos = 0;
    bool atEnd() const { return pos >= data.size(); }
    void need(size_t n) const {
        if (pos + n > data.size()) throw std::runtime_error("font file ends inside a record");
    }
    int32_t getInt() {
        need(4);
        uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(static_cast<uint8_t>(data[pos + i])) << (8 * i);
        pos += 4;
        return static_cast<int32_t>(u);
    }
    std::string getLine() {
        std::string line;
        while (true) {
            need(1);
            char c = data[pos++];
            if (c == '\n') return line;
            if (c != '\r') line += c;
        }
    }
    // Length of the PNG at the read position: chunks up to and including IEND.
    size_t pngLength() const {
        size_t p = pos + 8;
        while (true) {
            if (p + 12 > data.size()) throw std::runtime_error("PNG without IEND");
            uint32_t len = 0;
            for (int i = 0; i < 4; ++i) len = (len << 8) | static_cast<uint8_t>(data[p + i]);
            bool end = data.compare(p + 4, 4, "IEND") == 0;
            p += 12 + static_cast<size_t>(len);
            if (end) return p - pos;
        }
    }
};

Rgba decodePng(const std::string& bytes) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size()))
        throw std::runtime_error("undecodable glyph picture");
    img.format = PNG_FORMAT_RGBA;
    Rgba pic(static_cast<int>(img.width), static_cast<int>(img.height));
    if (!png_image_finish_read(&img, nullptr, pic.px.data(), 0, nullptr)) {
        png_image_free(&img);
        throw std::runtime_error("undecodable glyph picture");
    }
    return pic;
}

} // namespace

void writeFmf(const std::filesystem::path& path, const RenderedFont& font) {
    std::string out;
    for (const Glyph& g : font.glyphs) {
        putRecord(out, g.code, "FACE", g.face);
        putRecord(out, g.code, "BORDER", g.border);
        putRecord(out, g.code, "SHADOW", g.shadow);
    }
    std::ofstream f(path, std::ios::binary);
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

ReadFont readFmf(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read " + path.string());
    std::string data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    Reader r{data};
    ReadFont font;
    while (!r.atEnd()) {
        int code = r.getInt();
        std::string tag = r.getLine();
        std::map<int, ReadLayer>* table = tag == "FACE" ? &font.face
                                          : tag == "BORDER" ? &font.border
                                          : tag == "SHADOW" ? &font.shadow
                                                            : nullptr;
        if (!table) throw std::runtime_error("unknown layer tag '" + tag + "'");
        r.getInt();
        size_t n = r.pngLength();
        ReadLayer l;
        l.pic = decodePng(data.substr(r.pos, n));
        r.pos += n;
        r.getLine();
        r.getInt();
        l.offX = r.getInt();
        l.offY = r.getInt();
        l.drawW = r.getInt();
        l.drawH = r.getInt();
        l.charWidth = r.getInt();
        r.getLine();
        (*table)[code] = std::move(l);
    }
    return font;
}

} // namespace fonts
