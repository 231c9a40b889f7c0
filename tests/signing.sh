#!/usr/bin/env bash
# Signing, on the Wine prefix of scripts/with-wine: the packages made again in
# a folder of their own with a throwaway self-signed certificate made here,
# and every signature checked with osslsigncode verify: each program file and
# DLL in the zip, the installer, and each in the folder it installs,
# uninstaller included. The build's own packages, made without a
# certificate, carry none.
#   tests/signing.sh BUILT_SETUP_EXE CMAKE PACKAGES_SCRIPT PACKAGES_ARG...
set -euo pipefail
built=$1 cmake=$2 script=$3
shift 3
[ -f "$built" ] || { echo "no installer: build the packages target first"; exit 77; }
source "$(dirname "$0")/wine.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "${KAVLO_SIGN_PKCS12:-}" ]; then
    ! osslsigncode verify -in "$built" >"$work/unsigned" 2>&1 || fail "$built is signed without a certificate"
    grep -q 'No signature found' "$work/unsigned" || fail "$(cat "$work/unsigned")"
fi

openssl rand -hex 16 >"$work/password"
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Kavlo test signing" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout "file:$work/password" \
    -out "$work/cert.p12"
KAVLO_SIGN_PKCS12=$work/cert.p12 KAVLO_SIGN_PASSWORD_FILE=$work/password KAVLO_SIGN_TIMESTAMP_URL='' \
    "$cmake" "$@" -DOUT="$work/out" -P "$script"
setup=$work/out/$(basename "$built")

mkdir "$work/zip"
"$cmake" -E chdir "$work/zip" "$cmake" -E tar xf "$work/out"/*-win64.zip
installed=$work/installed
wine "$setup" /S "/D=$(winepath -w "$installed")"
[ -f "$installed/uninstall.exe" ] || fail "not installed in $installed"

programs() { find "$1" -iname '*.exe' -o -iname '*.dll' | sort; }
checked=0
while read -r file; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify" 2>&1 \
        || fail "$file: $(cat "$work/verify")"
    grep -q 'Subject: /CN=Kavlo test signing' "$work/verify" || fail "$file: not our signer: $(cat "$work/verify")"
    [ "$checked" -gt 0 ] || cat "$work/verify"
    echo "verified: ${file#"$work"/}"
    checked=$((checked + 1))
done < <(echo "$setup"; programs "$work/zip"; programs "$installed")

wine "$installed/uninstall.exe" /S
# The uninstaller runs on from a copy of itself, so that it can delete itself;
# the Apps & features entry goes last, and the next test may look for it.
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavlo'
gone() { [ ! -e "$installed" ] && ! wine reg query "$entry" >/dev/null 2>&1; }
for _ in $(seq 150); do gone && break; sleep 0.2; done
gone || fail "not uninstalled from $installed"
echo "$checked signatures verified"
