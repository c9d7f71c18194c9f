# Build for the browser with Emscripten (WebAssembly). Libraries come from the
# prefix scripts/thirdparty builds; nothing is fetched at build time.
# Configure checks that run a test program run it with Node.js; the fetch of
# Node.js 18 and later cannot load the program's .wasm from a file path, which
# the file read of this emscripten's loader can.
set(CMAKE_CROSSCOMPILING_EMULATOR "/usr/bin/node;--no-experimental-fetch" CACHE FILEPATH "Runs test programs")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(DEFINED ENV{VARNOKA_THIRDPARTY})
  set(VARNOKA_THIRDPARTY_PREFIX $ENV{VARNOKA_THIRDPARTY}/web)
else()
  set(VARNOKA_THIRDPARTY_PREFIX $ENV{HOME}/.cache/varnoka-thirdparty/web)
endif()

list(APPEND CMAKE_FIND_ROOT_PATH ${VARNOKA_THIRDPARTY_PREFIX})
set(ENV{PKG_CONFIG_LIBDIR} ${VARNOKA_THIRDPARTY_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
