# Cross build for 64-bit Windows with MinGW-w64 (posix threads, so std::thread
# and std::mutex work). Libraries come from the prefix scripts/thirdparty builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VARNOKA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VARNOKA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARNOKA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VARNOKA_MINGW}-windres)

if(DEFINED ENV{VARNOKA_THIRDPARTY})
  set(VARNOKA_THIRDPARTY_PREFIX $ENV{VARNOKA_THIRDPARTY}/windows)
else()
  set(VARNOKA_THIRDPARTY_PREFIX $ENV{HOME}/.cache/varnoka-thirdparty/windows)
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${VARNOKA_MINGW} ${VARNOKA_THIRDPARTY_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} ${VARNOKA_THIRDPARTY_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# Everything links statically, the compiler's runtime included: the program
# runs from its folder on a Windows machine with nothing else installed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs (and gtest's test listing) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
