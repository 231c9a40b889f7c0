# Makes the Windows zip and installer from a build (cmake/windows.cmake), in
# the build or in the folder OUT names, signed when the environment names a
# certificate (KAVLO_SIGN_PKCS12, KAVLO_SIGN_PASSWORD_FILE and, for a
# timestamp, KAVLO_SIGN_TIMESTAMP_URL), unsigned otherwise:
#   cmake -DBUILD=… -DSTRIP=… -DMAKENSIS=… -DVERSION=… -DICON=… -DSOURCE=… [-DOUT=…] -P windows-packages.cmake
if(NOT OUT)
    set(OUT ${BUILD})
endif()
set(name kavlo-${VERSION}-win64)
set(stage ${OUT}/${name})
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
file(GLOB_RECURSE binaries ${stage}/*.exe ${stage}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)

# The text help and the licence as Windows' viewers read them: UTF-8 with a
# byte-order mark and CRLF line ends (without the mark, Notepad may take the
# help for the ANSI code page).
string(ASCII 239 187 191 bom)
foreach(file KAVLO.TXT LICENSE.txt)
    file(READ ${stage}/${file} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${stage}/${file} "${bom}${text}")
endforeach()

# A certificate named in part, or by files that are not there, is a mistake,
# not a wish for an unsigned build.
set(sign)
if(NOT "$ENV{KAVLO_SIGN_PKCS12}$ENV{KAVLO_SIGN_PASSWORD_FILE}" STREQUAL "")
    foreach(file "$ENV{KAVLO_SIGN_PKCS12}" "$ENV{KAVLO_SIGN_PASSWORD_FILE}")
        if(NOT EXISTS "${file}" OR IS_DIRECTORY "${file}")
            message(FATAL_ERROR "Signing needs KAVLO_SIGN_PKCS12 and KAVLO_SIGN_PASSWORD_FILE to name files: "
                "'$ENV{KAVLO_SIGN_PKCS12}', '$ENV{KAVLO_SIGN_PASSWORD_FILE}'")
        endif()
    endforeach()
    set(sign ${SOURCE}/packaging/sign.sh)
    execute_process(COMMAND sh ${sign} ${binaries} COMMAND_ERROR_IS_FATAL ANY)
    list(LENGTH binaries count)
    message(STATUS "Signed ${count} program files and DLLs with $ENV{KAVLO_SIGN_PKCS12}")
else()
    message(STATUS "Unsigned: no certificate given (KAVLO_SIGN_PKCS12 and KAVLO_SIGN_PASSWORD_FILE)")
endif()

file(REMOVE ${OUT}/${name}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${name}.zip --format=zip ${name}
    WORKING_DIRECTORY ${OUT} COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${OUT}/${name}.zip")

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
file(WRITE ${OUT}/installed-files.nsh "${install_lines}")
file(WRITE ${OUT}/uninstalled-files.nsh "${uninstall_lines}")

# The licence page wraps its text to its own width, so it gets each paragraph
# as one line.
file(READ ${SOURCE}/LICENSE text)
string(STRIP "${text}" text)
string(REPLACE "\n\n" "\r" text "${text}")
string(REPLACE "\n" " " text "${text}")
string(REPLACE "\r" "\n\n" text "${text}")
file(WRITE ${OUT}/licence-paragraphs.txt "${text}\n")

set(sign_option)
if(sign)
    set(sign_option "-DSIGN=${sign}")
endif()
execute_process(COMMAND ${MAKENSIS} -V2 -NOCD -INPUTCHARSET UTF8
        "-DVERSION=${VERSION}" "-DICON=${ICON}" "-DLICENSE=${OUT}/licence-paragraphs.txt"
        "-DFILES=${OUT}/installed-files.nsh" "-DUNFILES=${OUT}/uninstalled-files.nsh"
        "-DOUTFILE=${OUT}/kavlo-${VERSION}-setup.exe" ${sign_option} ${SOURCE}/packaging/kavlo.nsi
    COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Made ${OUT}/kavlo-${VERSION}-setup.exe")
