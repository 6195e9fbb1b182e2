# The entry the Windows installer writes in "Programs and Features", read from
# the installer's script as CPack fills it in from the build's settings. Each
# row: a value of the entry and the line that must write it.
#   cmake -DCPACK_CONFIG=CPackConfig.cmake -DTEMPLATE=NSIS.template.in
#         -DVERSION=VERSION -DOUT=FILE -P uninstall_entry_test.cmake
include(${CPACK_CONFIG})
configure_file(${TEMPLATE} ${OUT} @ONLY)
file(READ ${OUT} script)

set(key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quelvaris")
set(program "$INSTDIR\\quelvaris.exe")
set(uninstaller "\"$INSTDIR\\Desinstalar.exe\"")
set(rows
    "!define UNINSTALL_KEY \"${key}\""
    "\"DisplayName\" \"Quelvaris\""
    "\"DisplayVersion\" \"${VERSION}\""
    "\"Publisher\" \"El equipo de Quelvaris\""
    "\"DisplayIcon\" \"${program}\""
    "\"UninstallString\" '${uninstaller}'"
    "\"QuietUninstallString\" '${uninstaller} /S'")

set(failures 0)
foreach(row IN LISTS rows)
  string(FIND "${script}" "${row}" at)
  if(at EQUAL -1)
    message("FAIL: the installer writes no ${row}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} values of the uninstall entry are wrong")
endif()
message("uninstall entry: all rows pass")
