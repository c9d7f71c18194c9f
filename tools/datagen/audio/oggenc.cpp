#include "audio/oggenc.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace audio {

namespace {

// FNV-1a of the file name: distinct streams get distinct serials, and the same
// file always gets the same one.
int serialFor(const std::filesystem::path& path) {
    uint32_t h = 2166136261u;
    for (unsigned char c : path.filename().string()) h = (h ^ c) * 16777619u;
    return static_cast<int>(h & 0x7fffffff);
}

} // namespace

std::vector<uint8_t> encodeOggVorbis(const std::vector<float>& samples, int channels, int rate, float quality,
                                     int serial, const std::string& title) {
    if (channels <= 0 || samples.empty() || samples.size() % static_cast<size_t>(channels) != 0)
        throw std::runtime_error("no whole frames of sound for " + title);
    for (float v : samples)
        if (!std::isfinite(v) || std::fabs(v) > 1.0f)
            throw std::runtime_error("sound out of range (would clip) in " + title);
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("vorbis encoder set-up failed for " + title);
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, serial);

    std::vector<uint8_t> out;
    auto put = [&out](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0) put(page);

    const size_t frames = samples.size() / static_cast<size_t>(channels);
    const size_t chunk = 4096;
    bool eos = false;
    for (size_t pos = 0; !eos;) {
        size_t n = std::min(chunk, frames - pos);
        if (n == 0) {
            vorbis_analysis_wrote(&vd, 0); // end of stream
        } else {
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c) buf[c][i] = samples[(pos + i) * channels + c];
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            pos += n;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    put(page);
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
        if (n == 0) eos = true;
    }
    while (ogg_stream_flush(&os, &page) != 0) put(page);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

void writeOggVorbis(const std::filesystem::path& path, const std::vector<float>& samples, int channels, int rate,
                    float quality) {
    const std::vector<uint8_t> bytes =
        encodeOggVorbis(samples, channels, rate, quality, serialFor(path), path.stem().string());
    FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.string());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0 || !written) throw std::runtime_error("cannot write " + path.string());
}

} // namespace audio
