# The version and the release date are written once, in the newest entry of
# debian/changelog; the program, its resources, the package, the installer
# and the tests all take them from here:
#   quelvaris (1.00) stable; ...
#    -- El equipo de Quelvaris <...>  Mon, 07 Dec 2026 09:00:00 +0000
# sets QUELVARIS_VERSION ("1.00") and QUELVARIS_RELEASE_DATE ("2026-12-07").
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog quelvaris_changelog)
list(GET quelvaris_changelog 0 quelvaris_newest)
if(NOT quelvaris_newest MATCHES "^quelvaris \\(([0-9]+\\.[0-9]+)\\) ")
  message(FATAL_ERROR "debian/changelog: no version in its first line: ${quelvaris_newest}")
endif()
set(QUELVARIS_VERSION ${CMAKE_MATCH_1})

foreach(line IN LISTS quelvaris_changelog)
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(day ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months ${CMAKE_MATCH_2} month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    string(LENGTH ${month} digits)
    if(digits EQUAL 1)
      set(month 0${month})
    endif()
    set(QUELVARIS_RELEASE_DATE ${year}-${month}-${day})
    break()
  endif()
endforeach()
if(NOT QUELVARIS_RELEASE_DATE)
  message(FATAL_ERROR "debian/changelog: no date in its newest entry")
endif()
