# Makes the Windows zip and installer from a build (cmake/windows.cmake):
#   cmake -DBUILD=… -DSTRIP=… -DMAKENSIS=… -DVERSION=… -DICON=… -DSOURCE=… -P windows-packages.cmake
set(name kavlo-${VERSION}-win64)
set(stage ${BUILD}/${name})
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
file(GLOB_RECURSE binaries ${stage}/*.exe ${stage}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

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

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD
        "-DVERSION=${VERSION}" "-DICON=${ICON}" "-DLICENSE=${SOURCE}/LICENSE"
        "-DFILES=${BUILD}/installed-files.nsh" "-DUNFILES=${BUILD}/uninstalled-files.nsh"
        "-DOUTFILE=${BUILD}/kavlo-${VERSION}-setup.exe" ${SOURCE}/packaging/kavlo.nsi
    COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${BUILD}/kavlo-${VERSION}-setup.exe")
