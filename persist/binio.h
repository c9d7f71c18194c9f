// Little-endian 32-bit integer runs for the binary save files.
#pragma once
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

// Reads n integers; false (and out partly filled) when the stream ends first.
bool ReadIntRun(Stream* s, int32_t* out, size_t n);
int32_t IntFromBytes(const uint8_t* bytes);
// Drops every carriage return of a text line.
std::string WithoutCR(const std::string& line);
