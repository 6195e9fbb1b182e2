# Run by CPack once the program's folder is staged, before it makes the
# installer: the installer's own lists of what it installs and what its
# uninstaller removes, in one fixed order. CPack's lists follow the order in
# which the file system lists a folder, which differs from one machine (or
# file system) to another, and the installer's bytes would follow it.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
     "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)  # by bytes, as GLOB_RECURSE already does; said to be sure

set(install "")
set(remove "")
set(folders "")
set(current_folder "<none>")
foreach(file IN LISTS files)
  cmake_path(GET file PARENT_PATH folder)
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(REPLACE "/" "\\" windows_file "${file}")
  if(NOT folder STREQUAL current_folder)
    set(current_folder "${folder}")
    if(folder STREQUAL "")
      string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      list(APPEND folders "${windows_folder}")
    endif()
  endif()
  string(APPEND install "  File \"${CPACK_TEMPORARY_DIRECTORY}/${file}\"\n")
  string(APPEND remove "  Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
string(APPEND install "  SetOutPath \"$INSTDIR\"\n")

# Folders after their files, the deepest first.
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
set(remove_folders "")
foreach(folder IN LISTS folders)
  string(APPEND remove_folders "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()

set(CPACK_NSIS_FULL_INSTALL "${install}")
set(CPACK_NSIS_DELETE_FILES "${remove}")
set(CPACK_NSIS_DELETE_DIRECTORIES "${remove_folders}")
