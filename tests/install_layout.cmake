# Installs the build into a scratch prefix and checks what a desktop needs:
# the program beside its cues and help, the kavlo command, the menu entry,
# the icon at every size of the icon theme, the software centre listing that
# leads to the menu entry, and the manual page.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
foreach(file ${KAVLO_INSTALLED_FILES})
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
# A theme looks an icon up by the name of its directory, so each PNG must
# measure what its directory says: width and height stand at bytes 16 to 23.
foreach(size ${KAVLO_ICON_SIZES})
    set(file share/icons/hicolor/${size}x${size}/apps/kavlo.png)
    file(READ ${PREFIX}/${file} header OFFSET 16 LIMIT 8 HEX)
    string(SUBSTRING ${header} 0 8 width)
    string(SUBSTRING ${header} 8 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${file} measures ${width} x ${height}")
    endif()
endforeach()
file(REAL_PATH ${PREFIX}/bin/kavlo command)
file(REAL_PATH ${PREFIX}/lib/kavlo/kavlo program)
if(NOT IS_SYMLINK ${PREFIX}/bin/kavlo OR NOT command STREQUAL program)
    message(FATAL_ERROR "bin/kavlo does not lead to the installed program")
endif()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/kavlo.desktop RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate refused the menu entry")
endif()
# Checks the listing as installed, beside what it names: an unknown desktop
# file is only a warning there, so warnings count too.
execute_process(COMMAND appstreamcli validate-tree --no-net --strict ${APPSTREAM_OVERRIDE} ${PREFIX} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli refused the installed listing")
endif()
message(STATUS "installed layout is complete")
