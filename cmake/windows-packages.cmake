# Makes the Windows zip and installer from a build (cmake/windows.cmake):
#   cmake -DBUILD=… -DSTRIP=… -DMAKENSIS=… -DVERSION=… -DICON=… -DSOURCE=… -P windows-packages.cmake
set(name kavlo-${VERSION}-win64)
set(stage ${BUILD}/${name})
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
file(GLOB_RECURSE binaries ${stage}/*.exe ${stage}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

# The text help as Windows' viewers read it: UTF-8 with a byte-order mark and
# CRLF line ends (without the mark, Notepad may take it for the ANSI code page).
file(READ ${stage}/KAVLO.TXT text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${stage}/KAVLO.TXT "${bom}${text}")

file(REMOVE ${BUILD}/${name}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${name}.zip --format=zip ${name}
    WORKING_DIRECTORY ${BUILD} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${BUILD}/${name}.zip")

# The installer names each file it installs, so that its uninstaller removes
# exactly those and leaves anything else in the folder.
file(GLOB_RECURSE files RELATIVE ${stage} ${stage}/*)
list(SORT files)
set(install_lines)
set(uninstall_lines)
set(dirs)
foreach(file ${files})
    get_filename_component(dir ${file} DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    string(REPLACE "/" "\\" windows_dir "${dir}")
    string(APPEND install_lines "SetOutPath \"$INSTDIR\\${windows_dir}\"\nFile \"${stage}/${file}\"\n")
    string(APPEND uninstall_lines "Delete \"$INSTDIR\\${windows_file}\"\n")
    if(dir)
        list(APPEND dirs ${windows_dir})
    endif()
endforeach()
list(REMOVE_DUPLICATES dirs)
foreach(dir ${dirs})
    string(APPEND uninstall_lines "RMDir \"$INSTDIR\\${dir}\"\n")
endforeach()
file(WRITE ${BUILD}/installed-files.nsh "${install_lines}")
file(WRITE ${BUILD}/uninstalled-files.nsh "${uninstall_lines}")

# The licence page wraps its text to its own width, so it gets each paragraph
# as one line.
file(READ ${SOURCE}/LICENSE text)
string(STRIP "${text}" text)
string(REPLACE "\n\n" "\r" text "${text}")
string(REPLACE "\n" " " text "${text}")
string(REPLACE "\r" "\n\n" text "${text}")
file(WRITE ${BUILD}/licence-paragraphs.txt "${text}\n")

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD -INPUTCHARSET UTF8
        "-DVERSION=${VERSION}" "-DICON=${ICON}" "-DLICENSE=${BUILD}/licence-paragraphs.txt"
        "-DFILES=${BUILD}/installed-files.nsh" "-DUNFILES=${BUILD}/uninstalled-files.nsh"
        "-DOUTFILE=${BUILD}/kavlo-${VERSION}-setup.exe" ${SOURCE}/packaging/kavlo.nsi
    COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${BUILD}/kavlo-${VERSION}-setup.exe")
