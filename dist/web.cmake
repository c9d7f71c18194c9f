# The browser build: varnoka.js + varnoka.wasm, the data folder packed as
# varnoka.data and one varnoka-<code>.data per language (+ their -data.js,
# which unpack them at /game; dist/web-pack.cmake), and the page,
# all in VARNOKA_WEB_DIR. The data folder comes from a native build's content
# pipeline (VARNOKA_WEB_DATA: the folder holding data/ and icon32.ico, beside
# the desktop/ folder whose 32-pixel icon becomes the page's).
set(VARNOKA_WEB_DIR ${CMAKE_SOURCE_DIR}/build-web CACHE PATH "Where the browser build is written")
set(VARNOKA_WEB_DATA ${CMAKE_SOURCE_DIR}/build/game CACHE PATH "A native build's game folder (data/, icon32.ico)")

# SSE2 code paths run as WebAssembly SIMD.
target_compile_options(varnoka_core PUBLIC -msimd128 -msse2)

set_target_properties(varnoka PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VARNOKA_WEB_DIR} SUFFIX ".js")
# SDL's audio resumes the page's sound at the first click or key and calls the
# game's mixer through the runtime's function table (web/runtime.rsp names
# those runtime functions; a response file keeps their '$' from the shell).
target_link_options(varnoka PRIVATE
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=96MB -sFORCE_FILESYSTEM=1 -lidbfs.js
  -sEXIT_RUNTIME=0 "SHELL:-s EXPORTED_RUNTIME_METHODS=[FS,addRunDependency,removeRunDependency]"
  @${CMAKE_SOURCE_DIR}/web/runtime.rsp)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_target(web-data ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VARNOKA_WEB_DIR}
  COMMAND ${CMAKE_COMMAND} -DPYTHON=${Python3_EXECUTABLE} -DPACKAGER=${EMSCRIPTEN_ROOT_PATH}/tools/file_packager.py
          -DDATA=${VARNOKA_WEB_DATA} -DOUT=${VARNOKA_WEB_DIR} -P ${CMAKE_SOURCE_DIR}/dist/web-pack.cmake
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_SOURCE_DIR}/web/shell.js ${VARNOKA_WEB_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy ${VARNOKA_WEB_DATA}/../desktop/icons/hicolor/32x32/apps/org.tellgrave.varnoka.png
          ${VARNOKA_WEB_DIR}/icon32.png
  COMMENT "Packing the data folder and the page for the browser"
  VERBATIM)
