# The Windows program's folder, as the installer puts it under Program Files
# and the zip holds it: the program, the parts of Qt it uses and the MinGW
# runtime, stripped, Qt's Spanish texts, and the licences of all it carries.
# Qt's DLLs come from the Qt the program was built with.
cmake_path(GET Qt6_DIR PARENT_PATH qt_cmake_dir)
cmake_path(GET qt_cmake_dir PARENT_PATH qt_lib_dir)
cmake_path(GET qt_lib_dir PARENT_PATH qt_prefix)

install(FILES ${qt_prefix}/bin/Qt6Core.dll ${qt_prefix}/bin/Qt6Gui.dll
              ${qt_prefix}/bin/Qt6Widgets.dll
        DESTINATION .)
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${qt_prefix}/plugins/imageformats/qgif.dll ${qt_prefix}/plugins/imageformats/qico.dll
        DESTINATION imageformats)
foreach(runtime IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  install(FILES ${runtime_path} DESTINATION .)
endforeach()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/windows/qt.conf DESTINATION .)
install(FILES /usr/share/qt6/translations/qtbase_es.qm DESTINATION translations)

# The licences, as Debian states them for the same code: Qt (LGPL 3), the
# MinGW-w64 runtime (GCC's runtime exception, winpthreads), the fonts inside
# the program, and Quelvaris' own terms.
set(licences licencias)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION ${licences} RENAME Qt-LGPL-3.txt)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION ${licences} RENAME GPL-3.txt)
install(FILES /usr/share/doc/qt6-base-dev/copyright DESTINATION ${licences} RENAME Qt.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION ${licences}
        RENAME MinGW-w64-GCC.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION ${licences}
        RENAME MinGW-w64.txt)
install(FILES /usr/share/doc/fonts-dejavu-core/copyright DESTINATION ${licences}
        RENAME DejaVu.txt)
install(FILES /usr/share/doc/fonts-liberation/copyright DESTINATION ${licences}
        RENAME Liberation.txt)
# Quelvaris' own: its notice in Spanish, which the installer shows too, with
# a byte-order mark that tells Windows' editors and the installer its UTF-8.
file(READ windows/licencia.txt notice)
string(ASCII 239 187 191 utf8_mark)
set(CPACK_QUELVARIS_LICENCE ${CMAKE_CURRENT_BINARY_DIR}/Quelvaris.txt)
file(WRITE ${CPACK_QUELVARIS_LICENCE} "${utf8_mark}${notice}")
install(FILES ${CPACK_QUELVARIS_LICENCE} DESTINATION ${licences})

# Nothing the program does not need: no symbols in any of its binaries.
install(CODE "
  file(GLOB_RECURSE binaries \"\${CMAKE_INSTALL_PREFIX}/*.dll\" \"\${CMAKE_INSTALL_PREFIX}/*.exe\")
  foreach(binary IN LISTS binaries)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()")

# cpack: quelvaris-VERSION-win64.exe, the installer (VERSION from
# debian/changelog). The zip of the same folder
# is made by packaging/make-zip (scripts/windows), in a fixed order.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_FILE_NAME quelvaris-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quelvaris)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quelvaris)
set(CPACK_NSIS_PACKAGE_NAME "Quelvaris ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME Quelvaris)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME quelvaris.exe)
set(CPACK_NSIS_MUI_ICON ${QUELVARIS_ICO})
set(CPACK_NSIS_MUI_UNIICON ${QUELVARIS_ICO})
set(CPACK_NSIS_UNINSTALL_NAME Desinstalar)
# Our installer's script, in place of CPack's own, read as UTF-8.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_SOURCE_DIR}/windows)
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS -INPUTCHARSET UTF8)
set(CPACK_QUELVARIS_APP_ID ${QUELVARIS_APP_ID})  # the running program's mutex
# The same installer from every build of a release: its lists in one order.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer_lists.cmake)

