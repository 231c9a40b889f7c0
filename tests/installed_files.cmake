# Every file that an installation holds, relative to its prefix: shared by the
# check of cmake --install and the check of the Debian package.
set(KAVLO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KAVLO_INSTALLED_FILES
    bin/kavlo
    lib/kavlo/kavlo lib/kavlo/kavlo1.wav lib/kavlo/kavlo2.wav lib/kavlo/KAVLO.HTML lib/kavlo/KAVLO.TXT
    share/applications/kavlo.desktop
    share/metainfo/io.github.kavlo.Kavlo.metainfo.xml
    share/icons/hicolor/scalable/apps/kavlo.svg
    share/man/man1/kavlo.1.gz
    share/doc/kavlo/copyright share/doc/kavlo/changelog.gz)
foreach(size ${KAVLO_ICON_SIZES})
    list(APPEND KAVLO_INSTALLED_FILES share/icons/hicolor/${size}x${size}/apps/kavlo.png)
endforeach()
