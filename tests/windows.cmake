# The tests of the Windows build, run as Windows programs under Wine
# (scripts/windows starts the X server, sound server and Wine prefix they
# share): the computation, the window and its keys, the settings in the
# registry and the help documents through the shell, and the WAV reader that
# tells a cue file that is no WAV. The rest are about Linux desktop services,
# the sound server or the Debian package.
foreach(test tst_calculator tst_format tst_pasteddigits tst_wavfile)
    kavlo_test(${test} CORE)
endforeach()
target_link_libraries(tst_wavfile PRIVATE kavlodesktop)
# Each on the screen, through Windows' own windows (Wine's), where on Linux
# most are drawn off the screen.
foreach(test tst_panel tst_window tst_keyboard tst_keys tst_model tst_settings)
    kavlo_test(${test} ENV LC_ALL=en_US.UTF-8)
endforeach()
# The help test takes its documents away and back, so it gets a directory of its own.
add_executable(tst_help tst_help_win.cpp)
target_link_libraries(tst_help PRIVATE kavlotestsupport)
set_target_properties(tst_help PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/helptest)
kavlo_test(tst_help RUN tst_help)

string(REPLACE ";" "\\;" winepath "${KAVLO_WINEPATH}")
foreach(test tst_calculator tst_format tst_pasteddigits tst_wavfile tst_panel tst_window tst_keyboard tst_keys tst_model
        tst_settings tst_help)
    set_target_properties(${test} PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_SOURCE_DIR}/wine-qtest)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "WINEPATH=${winepath}")
    # Every window saves its settings as it closes, and there is one registry.
    if(NOT test MATCHES "calculator|format|pasteddigits|wavfile")
        set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK wine-registry)
    endif()
endforeach()
# The window again on a Japanese Windows, which names its fonts in Japanese.
kavlo_test(tst_panel RUN tst_panel_ja ENV LC_ALL=ja_JP.UTF-8)
set_property(TEST tst_panel_ja APPEND PROPERTY ENVIRONMENT "WINEPATH=${winepath}")
set_property(TEST tst_panel_ja APPEND PROPERTY RESOURCE_LOCK wine-registry)

# The installer, once the packages target has made it: installed, used and uninstalled.
add_test(NAME installer COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/installer.sh
         ${CMAKE_BINARY_DIR}/kavlo-${PROJECT_VERSION}-setup.exe ${PROJECT_SOURCE_DIR}/packaging/kavlo.nsi)
set_tests_properties(installer PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine-registry)

# The zip's program from a folder more than 260 characters deep: cues and help.
add_test(NAME longpath COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/longpath.sh
         ${CMAKE_BINARY_DIR}/kavlo-${PROJECT_VERSION}-win64.zip)
set_tests_properties(longpath PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine-registry)
# The manifest as Windows reads it from the program file.
add_test(NAME manifest COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/manifest.py $<TARGET_FILE:kavlo>)
set_tests_properties(manifest PROPERTIES TIMEOUT 60)
# The packages signed with a throwaway certificate, installed and uninstalled again.
add_test(NAME signing COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/signing.sh
         ${CMAKE_BINARY_DIR}/kavlo-${PROJECT_VERSION}-setup.exe ${CMAKE_COMMAND}
         ${PROJECT_SOURCE_DIR}/cmake/windows-packages.cmake ${KAVLO_PACKAGES_ARGS})
set_tests_properties(signing PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 RESOURCE_LOCK wine-registry)
