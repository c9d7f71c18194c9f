// Reading the generated pictures back for the review sheets.
#pragma once
#include <cairo.h>

#include <filesystem>

namespace sheets {

// Loads a PNG or JPEG as a Cairo image surface (ARGB32); nullptr when it fails.
cairo_surface_t* loadPicture(const std::filesystem::path& path);

} // namespace sheets
