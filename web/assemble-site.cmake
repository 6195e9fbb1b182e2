# Assembles the web edition's folder: the page, the compiled calculation, the
# pictures, and the service worker with the release's name and file list.
#   cmake -DPAGE=web/site -DASSETS=assets -DFORMS=ui/forms -DCALCULATION=<folder
#         of quelvaris-calc.mjs> -DSITE=<out> -DVERSION=1.00 -P assemble-site.cmake
#
# Every file but the page itself, its manifest and the service worker is
# named by its content ("form.1a2b3c4d.mjs"), and every name in the other
# files is rewritten to match: a file of one release never stands under the
# name of another's, so a browser's cache can hold no stale copy, and a host
# caught halfway through an upload serves the new names as missing rather
# than the old bytes under them.
cmake_minimum_required(VERSION 3.25)  # @NAME@ in a string is then a plain text

set(staging ${SITE}.staging)
file(REMOVE_RECURSE ${SITE} ${staging})
file(COPY ${PAGE}/ DESTINATION ${staging} PATTERN sw.js EXCLUDE)
file(COPY ${CALCULATION}/quelvaris-calc.mjs ${CALCULATION}/quelvaris-calc.wasm DESTINATION ${staging})
# The icons the page and the manifest name; the picture at 118 x 99 and, for
# sharper screens, at twice that.
file(COPY ${ASSETS}/icons/web/ DESTINATION ${staging}/icons)
file(COPY ${ASSETS}/images/mixer.gif ${ASSETS}/images/mixer@2x.png DESTINATION ${staging})

# The page's words are the desktop windows' own, written once in their
# forms: each @FORM.ui:NAME@ in the page or its modules is the text (or
# title) of the widget NAME in ui/forms/FORM.ui, and @FORM.ui:NAME.PROPERTY@
# another of its properties (a screen reader's pattern, a message). The
# form's XML escapes are HTML's too; a module's string takes the plain text.
# A name the form lacks, or a widget without the property, stops the assembly.
function(fill_words file)
  file(READ ${file} content)
  string(REGEX MATCHALL "@[a-z_]+\\.ui:[A-Za-z0-9_]+(\\.[A-Za-z]+)?@" words "${content}")
  list(REMOVE_DUPLICATES words)
  foreach(word IN LISTS words)
    string(REGEX MATCH "^@([a-z_]+\\.ui):([A-Za-z0-9_]+)\\.?([A-Za-z]*)@$" word "${word}")
    set(form ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    set(wanted "text|title")
    if(CMAKE_MATCH_3)
      set(wanted ${CMAKE_MATCH_3})
    endif()
    file(READ ${FORMS}/${form} xml)
    string(FIND "${xml}" "name=\"${name}\">" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${form} has no widget ${name}, which ${file} names")
    endif()
    math(EXPR at "${at} + 1")  # past the name, to find the next widget
    string(SUBSTRING "${xml}" ${at} -1 xml)
    string(REGEX MATCH "<property name=\"(${wanted})\"[^>]*>[ \n]*<string[^>]*>([^<]*)</string>"
           property "${xml}")
    set(text "${CMAKE_MATCH_2}")
    string(FIND "${xml}" "${property}" at_text)
    string(FIND "${xml}" "<widget " at_next)
    if(NOT property OR (at_next GREATER -1 AND at_next LESS at_text))
      message(FATAL_ERROR "${form}: the widget ${name}, which ${file} names, has no ${wanted}")
    endif()
    if(file MATCHES "\\.mjs$")  # in a string in single quotes
      foreach(escape IN ITEMS "&quot;=\"" "&apos;='" "&lt;=<" "&gt;=>" "&amp;=&" "\\=\\\\" "'=\\'"
                              "\n=\\n")
        string(REGEX MATCH "^([^=]*)=(.*)$" escape "${escape}")
        string(REPLACE "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" text "${text}")
      endforeach()
    endif()
    string(REPLACE "${word}" "${text}" content "${content}")
  endforeach()
  file(WRITE ${file} "${content}")
endfunction()

file(GLOB pages ${staging}/*.html ${staging}/*.mjs)
foreach(page IN LISTS pages)
  fill_words(${page})
endforeach()

# The about text shows the release's version.
file(READ ${staging}/index.html page)
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
file(WRITE ${staging}/index.html "${page}")

set(fixed index.html manifest.webmanifest)
set(texts .html .css .mjs .webmanifest)
file(GLOB_RECURSE pending RELATIVE ${staging} ${staging}/*)
list(REMOVE_ITEM pending ${fixed})
list(SORT pending)

# Names a file once every file it names has its new name: the leaves (the
# pictures, the .wasm, the styles) first, then the modules that import them.
while(pending)
  set(progress FALSE)
  foreach(file IN LISTS pending)
    get_filename_component(extension ${file} LAST_EXT)
    set(waiting FALSE)
    if(extension IN_LIST texts)
      file(READ ${staging}/${file} content)
      foreach(other IN LISTS pending)
        string(FIND "${content}" "${other}" at)
        if(NOT other STREQUAL file AND at GREATER -1)
          set(waiting TRUE)
        endif()
      endforeach()
    endif()
    if(waiting)
      continue()
    endif()
    file(SHA256 ${staging}/${file} hash)
    string(SUBSTRING ${hash} 0 8 hash)
    string(REGEX REPLACE "\\.[^./]+$" ".${hash}${extension}" named ${file})
    file(RENAME ${staging}/${file} ${staging}/${named})
    list(REMOVE_ITEM pending ${file})
    set(progress TRUE)
    # Every file still to be written names this one by its new name.
    file(GLOB_RECURSE all RELATIVE ${staging} ${staging}/*)
    foreach(other IN LISTS all)
      get_filename_component(other_extension ${other} LAST_EXT)
      if(other_extension IN_LIST texts)
        file(READ ${staging}/${other} content)
        string(REPLACE "${file}" "${named}" content "${content}")
        file(WRITE ${staging}/${other} "${content}")
      endif()
    endforeach()
  endforeach()
  if(NOT progress)
    message(FATAL_ERROR "These files name each other, so none can be named by its content: ${pending}")
  endif()
endwhile()

# The release: every file with its SHA-256, the page as its start URL. The
# service worker keeps what the page needs with no network: the files the
# page and its modules name, not the large icons that only the manifest
# names, which the browser fetches itself to install the page. Kept, they
# would cost a first visit 35 kB more.
file(GLOB_RECURSE files RELATIVE ${staging} ${staging}/*)
list(SORT files)
set(named_by_page "")
foreach(file IN LISTS files)
  get_filename_component(extension ${file} LAST_EXT)
  if(extension IN_LIST texts AND NOT extension STREQUAL ".webmanifest")
    file(READ ${staging}/${file} content)
    string(APPEND named_by_page "${content}")
  endif()
endforeach()
set(hashes "")
set(list "")
foreach(file IN LISTS files)
  file(SHA256 ${staging}/${file} hash)
  string(APPEND hashes "${hash}  ${file}\n")
  string(FIND "${named_by_page}" "${file}" at)
  if(at EQUAL -1 AND NOT file IN_LIST fixed)
    continue()
  endif()
  set(url ./${file})
  if(file STREQUAL "index.html")
    set(url ./)
  endif()
  string(APPEND list "\n  ['${url}', '${hash}'],")
endforeach()
file(SHA256 ${PAGE}/sw.js worker_hash)  # a new worker is a new release, if nothing else is
string(SHA256 release "${hashes}${worker_hash}")
string(SUBSTRING ${release} 0 12 release)
file(READ ${PAGE}/sw.js worker)
string(REPLACE "@RELEASE@" "quelvaris-${VERSION}-${release}" worker "${worker}")
string(REPLACE "@FILES@" "[${list}\n]" worker "${worker}")
file(WRITE ${staging}/sw.js "${worker}")
file(RENAME ${staging} ${SITE})
