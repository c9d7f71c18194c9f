# Packs the data folder for the browser (cmake -P, run by the web-data target):
# varnoka.data holds everything but the languages' pictures; each language's
# pictures are a download of their own, varnoka-<code>.data, which the page
# fetches for the language in use only. The languages' text tables are small
# and stay with the rest, so every text can switch at once.
#   -DPYTHON=... -DPACKAGER=<file_packager.py> -DDATA=<game folder> -DOUT=<web folder>
set(lang ${DATA}/data/lang)
function(pack name)
  execute_process(COMMAND ${PYTHON} ${PACKAGER} ${name}.data ${ARGN} --js-output=${name}-data.js --no-node
                  WORKING_DIRECTORY ${OUT} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "packing ${name}.data failed")
  endif()
endfunction()

pack(varnoka --preload ${DATA}/data@/game/data ${DATA}/icon32.ico@/game/icon32.ico
     --exclude ${lang}/*.png ${lang}/*.jpg)
file(GLOB languages RELATIVE ${lang} ${lang}/*)
foreach(code IN LISTS languages)
  pack(varnoka-${code} --preload ${lang}/${code}@/game/data/lang/${code} --exclude *.txt)
endforeach()
