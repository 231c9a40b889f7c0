# Makes the Debian package from the build tree, as cpack -G DEB does for a
# user, and checks it: its file name, that it holds exactly the installed
# files, that its Depends name the libraries and the run-time packages, that
# apt could install it here, and that lintian finds neither error nor warning.
#   cmake -DBUILD=<build dir> -DOUT=<scratch dir> -DCPACK=<cpack> -DVERSION=<version> -P package.cmake
cmake_policy(VERSION 3.16)
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${CPACK} -G DEB -B ${OUT} --config ${BUILD}/CPackConfig.cmake
                WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${log}")
endif()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb ${OUT}/kavlo_${VERSION}_${arch}.deb)
if(NOT EXISTS ${deb})
    file(GLOB made ${OUT}/*.deb)
    message(FATAL_ERROR "expected ${deb}, cpack made: ${made}")
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command} failed (${rc}):\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

# Contents: every file and link under /usr, and nothing else, such as a test
# program or a file outside /usr.
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
run(dpkg-deb --contents ${deb})
string(REGEX MATCHALL "\\./[^\n]*[^/\n]\n" entries "${out}")
set(packaged)
foreach(entry ${entries})
    string(REGEX REPLACE " -> .*" "" entry "${entry}")
    string(STRIP "${entry}" entry)
    list(APPEND packaged ${entry})
endforeach()
set(expected ${KAVLO_INSTALLED_FILES})
list(TRANSFORM expected PREPEND ./usr/)
list(SORT packaged)
list(SORT expected)
if(NOT packaged STREQUAL expected)
    set(extra ${packaged})
    list(REMOVE_ITEM extra ${expected})
    set(missing ${expected})
    list(REMOVE_ITEM missing ${packaged})
    message(FATAL_ERROR "package contents differ\nmissing: ${missing}\nextra: ${extra}")
endif()
if(NOT out MATCHES "\\./usr/bin/kavlo -> \\.\\./lib/kavlo/kavlo\n")
    message(FATAL_ERROR "/usr/bin/kavlo is not the relative link to the program")
endif()

# Depends: the Qt libraries that dpkg-shlibdeps finds, and what the program
# loads at run time without linking it.
run(dpkg-deb --field ${deb} Depends)
string(REGEX REPLACE "\\([^)]*\\)| " "" depends "${out}")
string(STRIP "${depends}" depends)
string(REPLACE "," ";" depends "${depends}")
foreach(package libqt6widgets6 libpulse0 fonts-ipafont-gothic fonts-liberation2 qt6-qpa-plugins qt6-wayland)
    if(NOT package IN_LIST depends)
        message(FATAL_ERROR "Depends lacks ${package}: ${out}")
    endif()
endforeach()
# The cues need no media framework.
if(depends MATCHES "multimedia|gstreamer|libav")
    message(FATAL_ERROR "Depends names a media framework: ${out}")
endif()

# Every dependency can be met on this system; a misspelt name fails here.
run(apt-get install --simulate --no-install-recommends ${deb})

# Lintian's warnings fail the test as its errors do; its notes are shown.
run(lintian --fail-on error,warning --display-level ">=info" ${deb})
message(STATUS "${out}")
message(STATUS "the package is complete and lintian is content")
