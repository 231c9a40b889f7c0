# Kavlo on Linux: where it installs (cmake --install), and its Debian package
# (cpack -G DEB in a build directory).

# The program with its cues and help documents in a directory of their own,
# a kavlo command on the PATH, a menu entry with its icons, and the listing
# that software centres read.
include(GNUInstallDirs)
set(KAVLO_INSTALL_DIR lib/kavlo)
install(TARGETS kavlo RUNTIME DESTINATION ${KAVLO_INSTALL_DIR})
install(FILES ${KAVLO_RUNTIME_FILES} DESTINATION ${KAVLO_INSTALL_DIR})
install(CODE "
    set(bindir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bindir}\")
    message(STATUS \"Installing: \${bindir}/kavlo\")
    file(CREATE_LINK ../${KAVLO_INSTALL_DIR}/kavlo \"\${bindir}/kavlo\" SYMBOLIC)
")
install(FILES res/kavlo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES res/io.github.kavlo.Kavlo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/icons/kavlo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${KAVLO_ICON_SIZES})
    install(FILES res/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kavlo.png)
endforeach()

# The manual page, and the copyright file and changelog that every Debian
# package carries in its documentation directory. Debian wants the page and
# the changelog compressed at the highest level, without a time stamp.
set(KAVLO_MAINTAINER "The Kavlo developers <maintainers@kavlo.invalid>" CACHE STRING
    "Maintainer of the Debian package, as a name and an address (set a real one to publish it)")
configure_file(packaging/changelog.in changelog @ONLY)
set(compressed)
foreach(doc ${CMAKE_CURRENT_BINARY_DIR}/changelog ${CMAKE_CURRENT_SOURCE_DIR}/doc/kavlo.1)
    get_filename_component(name ${doc} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/doc/${name})
    add_custom_command(OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${doc} ${copy}
        COMMAND gzip -9nf ${copy}
        DEPENDS ${doc} VERBATIM)
    list(APPEND compressed ${copy}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/kavlo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# cpack -G DEB in a build directory makes kavlo_<version>_<arch>.deb. Its
# Depends are the libraries the program links (found by dpkg-shlibdeps) and
# what it loads at run time: libpulse, which it opens for its cues, fonts with
# the glyphs of its captions, and the Qt platform plugins that Debian packs
# apart from Qt's GUI library (which holds the one for X): Wayland's among
# them. The cues go straight to the sound server, so no media back-end is needed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavlo)
set(CPACK_PACKAGE_VENDOR "The Kavlo developers")
set(CPACK_PACKAGE_CONTACT "${KAVLO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for baseball statistics")
set(CPACK_PACKAGE_DESCRIPTION "Kavlo works out the batting average, the winning percentage and the
earned-run average from figures keyed on its keypad or keyboard, with
short sound cues and help in HTML and plain text. Its interface is in
Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kavlo/kavlo)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpulse0, fonts-ipafont-gothic, fonts-liberation2, qt6-qpa-plugins, qt6-wayland")
# Help opens through xdg-open, and the cues need a sound server; without
# either the program still calculates, and says so when help cannot open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, pipewire-pulse | pulseaudio")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
