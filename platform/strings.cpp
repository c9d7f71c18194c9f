// String helpers. Every byte is one ISO 8859-1 character; positions count
// from 1. Out-of-range positions and counts are clamped, never undefined.
#include "platform/platform.h"

#include <climits>
#include <cstdint>

std::string Substring(const std::string& s, int pos, int n) {
    const long long len = static_cast<long long>(s.size());
    long long start = pos - 1LL;
    long long count = n < 0 ? len : n; // a negative count means "to the end"
    if (start < 0) {
        count += start;
        start = 0;
    }
    if (start >= len || count <= 0) return "";
    if (count > len - start) count = len - start;
    return s.substr(static_cast<size_t>(start), static_cast<size_t>(count));
}

int FindFrom(const std::string& s, const std::string& sub, int start) {
    if (sub.empty()) return 0;
    size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
    if (from >= s.size()) return 0;
    size_t at = s.find(sub, from);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string LeftPart(const std::string& s, int n) {
    if (n <= 0) return "";
    return s.substr(0, static_cast<size_t>(n));
}

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= 32) ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= 32) --b;
    return s.substr(a, b - a);
}

std::string ToUpperCase(const std::string& s) {
    std::string out = s;
    for (char& ch : out) {
        unsigned char c = static_cast<unsigned char>(ch);
        // ASCII a..z and the Latin-1 small letters with a capital in the set
        // (0xF7 is the division sign, 0xFF has no Latin-1 capital).
        if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) ch = static_cast<char>(c - 32);
    }
    return out;
}

std::string CharFromCode(int code) { return std::string(1, static_cast<char>(code & 0xFF)); }

std::vector<std::string> SplitOn(const std::string& s, const std::string& separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.push_back(s);
        return pieces;
    }
    size_t from = 0;
    for (;;) {
        size_t at = s.find(separator, from);
        if (at == std::string::npos) break;
        pieces.push_back(s.substr(from, at - from));
        from = at + separator.size();
    }
    pieces.push_back(s.substr(from));
    return pieces;
}

// Overflow: decimal numbers saturate at the 32-bit limits (a settings line of
// "99999999999" reads as 2147483647); hexadecimal and binary numbers keep the
// low 32 bits, so "$FFFFFFFF" reads as -1, the bit pattern it spells.
int ParseInt(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= 32 && s[i] != 0) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    if (i < s.size() && (s[i] == '$' || s[i] == '%')) {
        const unsigned base = s[i++] == '$' ? 16 : 2;
        uint32_t v = 0;
        for (; i < s.size(); ++i) {
            char c = s[i];
            unsigned d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (d >= base) break;
            v = v * base + d;
        }
        if (negative) v = 0u - v;
        return static_cast<int32_t>(v);
    }

    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > limit) v = limit;
    }
    return static_cast<int>(negative ? -v : v);
}
