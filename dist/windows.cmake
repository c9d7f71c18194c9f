# The Windows program: a GUI program (no console window) with its icon and
# version information as resources, beside a copy of the data folder the
# native build's content pipeline generated (the pipeline is not cross-built).
set(VARNOKA_NATIVE_GAME_DIR ${CMAKE_SOURCE_DIR}/build/game
    CACHE PATH "Game folder of the native build: its data/ and icon32.ico are copied")
set(VARNOKA_ICON ${VARNOKA_NATIVE_GAME_DIR}/icon32.ico)
if(NOT EXISTS ${VARNOKA_NATIVE_GAME_DIR}/data/.generated)
  message(FATAL_ERROR "No generated data folder in ${VARNOKA_NATIVE_GAME_DIR}: build the native game first")
endif()

enable_language(RC)
configure_file(${CMAKE_SOURCE_DIR}/dist/varnoka.rc.in ${CMAKE_BINARY_DIR}/dist/varnoka.rc @ONLY)
target_sources(varnoka PRIVATE ${CMAKE_BINARY_DIR}/dist/varnoka.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/dist/varnoka.rc PROPERTIES OBJECT_DEPENDS ${VARNOKA_ICON})
set_target_properties(varnoka PROPERTIES WIN32_EXECUTABLE ON)

set(DATA_STAMP ${VARNOKA_GAME_DIR}/data/.generated)
add_custom_command(
  OUTPUT ${DATA_STAMP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VARNOKA_GAME_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VARNOKA_NATIVE_GAME_DIR}/data ${VARNOKA_GAME_DIR}/data
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VARNOKA_GAME_DIR}/data/saves
  COMMAND ${CMAKE_COMMAND} -E copy ${VARNOKA_ICON} ${VARNOKA_GAME_DIR}/icon32.ico
  DEPENDS ${VARNOKA_NATIVE_GAME_DIR}/data/.generated ${VARNOKA_ICON}
  COMMENT "Copying the native build's data folder"
  VERBATIM)
add_custom_target(data ALL DEPENDS ${DATA_STAMP})

# make package-windows: the portable zip (unpack and run) and the installer,
# both made from one staged copy of the game folder.
set(VARNOKA_STAGE ${CMAKE_BINARY_DIR}/package/Varnoka)
set(VARNOKA_ZIP ${CMAKE_BINARY_DIR}/Varnoka-${PROJECT_VERSION}-windows.zip)
set(VARNOKA_SETUP ${CMAKE_BINARY_DIR}/Varnoka-${PROJECT_VERSION}-setup.exe)
find_program(VARNOKA_MAKENSIS makensis)
find_program(VARNOKA_ZIP_PROGRAM zip)
find_program(VARNOKA_STRIP ${VARNOKA_MINGW}-strip)
add_custom_target(package-windows
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/package ${VARNOKA_ZIP} ${VARNOKA_SETUP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VARNOKA_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VARNOKA_GAME_DIR}/data ${VARNOKA_STAGE}/data
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VARNOKA_STAGE}/data/saves ${VARNOKA_STAGE}/data/.generated
  COMMAND ${CMAKE_COMMAND} -E copy ${VARNOKA_GAME_DIR}/icon32.ico ${VARNOKA_STAGE}/
  COMMAND ${VARNOKA_STRIP} -o ${VARNOKA_STAGE}/varnoka.exe $<TARGET_FILE:varnoka>
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package ${VARNOKA_ZIP_PROGRAM} -q -r -9 ${VARNOKA_ZIP} Varnoka
  COMMAND ${VARNOKA_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${VARNOKA_STAGE} -DOUTFILE=${VARNOKA_SETUP}
          ${CMAKE_SOURCE_DIR}/dist/varnoka.nsi
  DEPENDS varnoka data
  COMMENT "Packing ${VARNOKA_ZIP} and ${VARNOKA_SETUP}"
  VERBATIM)
