# The Windows build, cross-compiled with MinGW-w64 (scripts/windows): the
# program file's icon, version and manifest, and the two ways it is shipped, a
# zip and an installer, each with the Qt and MinGW DLLs that the program loads
# and nothing more.
enable_language(RC)

# The ball at the sizes Windows shows, from the PNGs that res/generate.py
# draws from the SVG; the largest is kept as PNG, as Windows expects.
set(KAVLO_ICO ${PROJECT_BINARY_DIR}/kavlo.ico)
set(ico_pngs)
foreach(size 16 24 32 48 64 128)
    list(APPEND ico_pngs ${PROJECT_SOURCE_DIR}/res/icons/${size}.png)
endforeach()
add_custom_command(OUTPUT ${KAVLO_ICO}
    COMMAND icotool -c -o ${KAVLO_ICO} ${ico_pngs} -r ${PROJECT_SOURCE_DIR}/res/icons/256.png
    DEPENDS ${ico_pngs} ${PROJECT_SOURCE_DIR}/res/icons/256.png VERBATIM)
# The program is a target of another folder, which sees this file only through a target of its own.
add_custom_target(kavlo_icon DEPENDS ${KAVLO_ICO})
add_dependencies(kavlo kavlo_icon)
configure_file(packaging/kavlo.rc.in kavlo.rc @ONLY)
target_sources(kavlo PRIVATE ${PROJECT_BINARY_DIR}/kavlo.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/kavlo.rc PROPERTIES
    OBJECT_DEPENDS "${KAVLO_ICO};${PROJECT_SOURCE_DIR}/packaging/kavlo.manifest")

# The MinGW runtime that Qt and the program link, found where the compiler finds it.
set(KAVLO_MINGW_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find ${dll}")
    endif()
    list(APPEND KAVLO_MINGW_DLLS ${path})
endforeach()

# Programs run under Wine find the DLLs on WINEPATH: the tests, and the
# program started from the build directory, with
#   WINEPATH="$(cat build/windows/winepath)" wine build/windows/bin/kavlo.exe
set(KAVLO_WINEPATH "Z:${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(dll ${KAVLO_MINGW_DLLS})
    get_filename_component(dir ${dll} DIRECTORY)
    list(APPEND KAVLO_WINEPATH "Z:${dir}")
endforeach()
list(REMOVE_DUPLICATES KAVLO_WINEPATH)
file(WRITE ${CMAKE_BINARY_DIR}/winepath "${KAVLO_WINEPATH}\n")

# Everything in one directory, as the program finds its files beside itself:
# the Qt platform plugin and the native style in the folders Qt looks in.
install(TARGETS kavlo RUNTIME DESTINATION .)
install(FILES ${KAVLO_RUNTIME_FILES} DESTINATION .)
install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> ${KAVLO_MINGW_DLLS}
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# build/…/kavlo-<version>-win64.zip and kavlo-<version>-setup.exe; the signing
# test makes them again elsewhere, with the same arguments.
find_program(MAKENSIS makensis REQUIRED)
set(KAVLO_PACKAGES_ARGS -DBUILD=${PROJECT_BINARY_DIR} -DSTRIP=${CMAKE_STRIP} -DMAKENSIS=${MAKENSIS}
    -DVERSION=${PROJECT_VERSION} -DICON=${KAVLO_ICO} -DSOURCE=${PROJECT_SOURCE_DIR})
add_custom_target(packages
    COMMAND ${CMAKE_COMMAND} ${KAVLO_PACKAGES_ARGS} -P ${PROJECT_SOURCE_DIR}/cmake/windows-packages.cmake
    DEPENDS kavlo VERBATIM)
