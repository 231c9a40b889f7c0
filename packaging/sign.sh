#!/bin/sh
# Signs Windows program files in place with osslsigncode, with the certificate
# that KAVLO_SIGN_PKCS12 and KAVLO_SIGN_PASSWORD_FILE name, and a timestamp
# from KAVLO_SIGN_TIMESTAMP_URL when that is set: the files the packages ship
# (cmake/windows-packages.cmake), and the installer and its uninstaller as
# makensis writes them (packaging/kavlo.nsi).
#   sign.sh FILE...
set -eu
for file in "$@"; do
    osslsigncode sign -pkcs12 "$KAVLO_SIGN_PKCS12" -readpass "$KAVLO_SIGN_PASSWORD_FILE" -h sha256 -n Kavlo \
        ${KAVLO_SIGN_TIMESTAMP_URL:+-ts "$KAVLO_SIGN_TIMESTAMP_URL"} -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
done
