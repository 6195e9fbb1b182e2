# Assembles the web edition's folder: the page, the compiled calculation, the
# pictures, and the service worker with the release's name and file list.
#   cmake -DPAGE=web/site -DASSETS=assets -DCALCULATION=<folder of
#         quelvaris-calc.mjs> -DSITE=<out> -DVERSION=1.00 -P assemble-site.cmake
cmake_minimum_required(VERSION 3.25)  # @NAME@ in a string is then a plain text

file(REMOVE_RECURSE ${SITE})
file(COPY ${PAGE}/ DESTINATION ${SITE} PATTERN sw.js EXCLUDE PATTERN index.html EXCLUDE)
# The about text shows the release's version.
file(READ ${PAGE}/index.html page)
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
file(WRITE ${SITE}/index.html "${page}")
file(COPY ${CALCULATION}/quelvaris-calc.mjs ${CALCULATION}/quelvaris-calc.wasm DESTINATION ${SITE})
file(COPY ${ASSETS}/icons/web/ DESTINATION ${SITE}/icons)
# The picture at 118 x 99 and, for sharper screens, at twice that.
file(COPY ${ASSETS}/images/mixer.gif ${ASSETS}/images/mixer@2x.png DESTINATION ${SITE})

# Every file, in a fixed order, and the start URL, which is the page itself.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(SORT files)
set(hashes "")
set(list "\n  './',")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${hash}  ${file}\n")
  string(APPEND list "\n  './${file}',")
endforeach()
string(SHA256 release "${hashes}")
string(SUBSTRING ${release} 0 12 release)
file(READ ${PAGE}/sw.js worker)
string(REPLACE "@RELEASE@" "quelvaris-${VERSION}-${release}" worker "${worker}")
string(REPLACE "@FILES@" "[${list}\n]" worker "${worker}")
file(WRITE ${SITE}/sw.js "${worker}")
