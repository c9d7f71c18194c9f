// Fuzz inputs for the readers that take a path: each input is written to a
// temporary file of this process first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

inline std::string fuzzFolder() {
    static const std::string folder = [] {
        // In memory when the machine has a tmpfs: every save syncs to disk.
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/varnoka-fuzz-XXXXXX" : "/tmp/varnoka-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern + "/";
    }();
    return folder;
}

inline std::string writeFuzzFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = fuzzFolder() + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::abort();
    if (size && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}
