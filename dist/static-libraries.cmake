# The Windows and browser builds link the static libraries scripts/thirdparty
# builds, with the libraries pkg-config lists for static linking. The
# program's own main() is the entry point (no SDL2main); only the Windows game
# itself is a GUI program (-mwindows is set on it, not on the tests).
foreach(lib SDL2 PNG VORBISFILE)
  list(FILTER ${lib}_STATIC_LDFLAGS EXCLUDE REGEX "^-(lSDL2main|mwindows)$")
  target_include_directories(varnoka_core SYSTEM PUBLIC ${${lib}_STATIC_INCLUDE_DIRS})
  target_link_libraries(varnoka_core PUBLIC ${${lib}_STATIC_LDFLAGS})
endforeach()
target_compile_definitions(varnoka_core PUBLIC SDL_MAIN_HANDLED)
target_link_libraries(varnoka_core PUBLIC JPEG::JPEG)
if(WIN32)
  target_link_libraries(varnoka_core PUBLIC psapi)
  # MinGW's <cmath> names M_PI and its kin only on request in strict C++.
  target_compile_definitions(varnoka_core PUBLIC _USE_MATH_DEFINES)
endif()
