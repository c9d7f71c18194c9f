// The few POSIX calls the tests use, for the Windows test build (included
// into every test source there by the build).
#pragma once
#include <cstdlib>
#include <cstring>
#include <direct.h>
#include <process.h>
#include <random>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name)) return 0;
    return _putenv_s(name, value);
}

inline int unsetenv(const char* name) { return _putenv_s(name, ""); }

// Windows has no superuser that folder permissions let through.
inline int geteuid() { return 1; }

// Replaces the template's trailing XXXXXX with letters and digits and makes
// that folder; the template on success, null when no new folder could be made.
inline char* mkdtemp(char* tmpl) {
    const size_t n = std::strlen(tmpl);
    if (n < 6 || std::strcmp(tmpl + n - 6, "XXXXXX") != 0) return nullptr;
    static std::mt19937 generator{std::random_device{}() ^ static_cast<unsigned>(_getpid())};
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = n - 6; i < n; ++i) tmpl[i] = kChars[generator() % (sizeof kChars - 1)];
        if (_mkdir(tmpl) == 0) return tmpl;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}
