#include "persist/binio.h"

#include <vector>

int32_t IntFromBytes(const uint8_t* b) {
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

bool ReadIntRun(Stream* s, int32_t* out, size_t n) {
    std::vector<uint8_t> bytes(n * 4);
    const size_t got = ReadBytes(s, bytes.data(), bytes.size());
    for (size_t i = 0; i < got / 4; i++) out[i] = IntFromBytes(&bytes[i * 4]);
    return got == bytes.size();
}

std::string WithoutCR(const std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (char ch : line)
        if (ch != '\r') out.push_back(ch);
    return out;
}
