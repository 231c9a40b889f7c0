#!/usr/bin/env bash
# The Windows installer under Wine, on the X server, sound server and Wine
# prefix of scripts/with-wine: installed silently for the user over an older
# copy, which it replaces; the program started from its Start-menu shortcut, a
# batting average keyed and copied, its cues counted on the sound server;
# while it runs, an install and an uninstall that refuse and change nothing;
# the window closed and the settings read back from the registry; a log-off,
# which saves them too; then uninstalled silently, leaving no file behind and
# the settings in place.
#   tests/installer.sh SETUP_EXE KAVLO_NSI
set -euo pipefail
setup=$1
nsi=$2
[ -f "$setup" ] || { echo "no installer: build the packages target first"; exit 77; }
source "$(dirname "$0")/wine.sh"
build=$(dirname "$setup")
stage=${setup%-setup.exe}-win64
version=${stage##*/kavlo-}
version=${version%-win64}
settings='HKCU\Software\VB and VBA Program Settings\KAVLO'
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavlo'
folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
dir=$(folder LOCALAPPDATA)/Programs/Kavlo
shortcut="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Kavlo.lnk"
# A value in the registry, or of the settings, as "<type> <text>".
registered() { wine reg query "$1" /v "$2" 2>/dev/null | awk -v v="$2" '$1 == v { $1 = ""; print substr($0, 2) }' | tr -d '\r'; }
stored() { registered "$settings\\$1" "$2"; }

# An older copy, made from the same script: another version, an old help, a
# file this one no longer ships, and settings of its own; installed in
# another folder (this one then chosen with /D) or in the folder this one
# finds in Apps & features.
scratch=$(mktemp -d)
echo old >"$scratch/old.txt"
printf 'SetOutPath "$INSTDIR"\nFile "/oname=%s" "%s"\n' kavlo.exe "$stage/kavlo.exe" KAVLO.TXT "$scratch/old.txt" \
    old.dll "$scratch/old.txt" >"$scratch/files.nsh"
printf 'Delete "$INSTDIR\\%s"\n' kavlo.exe KAVLO.TXT old.dll >"$scratch/unfiles.nsh"
makensis -V1 -NOCD -INPUTCHARSET UTF8 -DVERSION=1.9 "-DICON=$build/kavlo.ico" "-DLICENSE=$scratch/old.txt" \
    "-DFILES=$scratch/files.nsh" "-DUNFILES=$scratch/unfiles.nsh" "-DOUTFILE=$scratch/old-setup.exe" "$nsi"
for old in "$dir-1.9" "$dir"; do
    wine "$scratch/old-setup.exe" /S "/D=$(winepath -w "$old")"
    [ -f "$old/old.dll" ] || fail "the older copy is not installed in $old"
    wine reg add "$settings\\Startup" /v X /d 123 /f >/dev/null
    if [ "$old" = "$dir" ]; then wine "$setup" /S; else wine "$setup" /S "/D=$(winepath -w "$dir")"; fi
    [ ! -e "$old/old.dll" ] || fail "the older copy's own file is left in $old"
    [ "$old" = "$dir" ] || [ ! -e "$old" ] || fail "the older copy's folder $old is left"
    cmp -s "$dir/kavlo.exe" "$stage/kavlo.exe" || fail "kavlo.exe not replaced"
    [ "$(wine reg query "${entry%\\*}" /s | grep -c 'DisplayName.*Kavlo')" = 1 ] || fail "not one entry in Apps & features"
    [ "$(stored Startup X)" = "REG_SZ 123" ] || fail "the settings went with the older copy"
done
rm -r "$scratch"
# Apps & features: each value as "<type> <text>", matched as a pattern.
for row in "DisplayVersion|REG_SZ $version" "Publisher|REG_SZ The Kavlo developers" \
    "DisplayIcon|REG_SZ *?Programs?Kavlo?kavlo.exe" "EstimatedSize|REG_DWORD 0x*"; do
    # shellcheck disable=SC2053
    [[ $(registered "$entry" "${row%%|*}") == ${row#*|} ]] || fail "${row%%|*} is '$(registered "$entry" "${row%%|*}")'"
done
size=$(($(registered "$entry" EstimatedSize | cut -d' ' -f2)))
kib=$(du -s --apparent-size --block-size=1K "$dir" | cut -f1)
[ $((size * 20)) -ge $((kib * 19)) ] && [ "$size" -le "$kib" ] || fail "EstimatedSize $size KB for $kib KB"
# The text help and the licence as Windows' viewers read them: a byte-order mark, CRLF line ends.
for file in KAVLO.TXT:res/KAVLO.TXT LICENSE.txt:LICENSE; do
    name=${file%%:*}
    [ "$(head -c 3 "$dir/$name" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "$name has no byte-order mark"
    [ "$(grep -c $'\r$' "$dir/$name")" = "$(wc -l <"$dir/$name")" ] || fail "$name has lines without CRLF"
    cmp -s <(tail -c +4 "$dir/$name" | tr -d '\r') "$(dirname "$nsi")/../${file#*:}" || fail "$name differs from ${file#*:}"
done
[ -f "$dir/kavlo.exe" ] && [ -f "$dir/platforms/qwindows.dll" ] && [ -f "$dir/KAVLO.HTML" ] || fail "not installed in $dir"
strings "$shortcut" | grep -qi 'Programs\\Kavlo\\kavlo.exe' || fail "no shortcut to the program: $shortcut"
wine reg query "$entry" /v UninstallString | grep -q 'uninstall.exe' || fail "not in Apps & features"

# Started as the Start menu starts it, without the build's WINEPATH: the
# installed DLLs must be enough.
events=$(mktemp)
pactl subscribe >"$events" &
subscriber=$!
trap 'kill $subscriber; rm -f "$events"' EXIT
env -u WINEPATH wine start /unix "$shortcut"
await '[ -n "$(window)" ]'
xdotool windowfocus "$(window)"
sleep 0.5
xdotool key 1
await '[ "$(streams)" -gt 0 ]'
sleep 0.5
first=$(streams)
xdotool key --delay 200 0 alt+d 3 alt+h
sleep 1
xdotool key ctrl+c
await '[ "$(xclip -o -selection clipboard 2>/dev/null)" = 0.300 ]'
[ $(($(streams) - first)) -eq 4 ] || fail "$(($(streams) - first)) cues after the first, not 4"

# While it runs, an install and an uninstall (run in place, so that its exit
# status is its own) refuse with status 2 and change nothing.
state() { find "$dir" "$shortcut" -printf '%p %s %T@\n' | sort; wine reg query "$entry" /s; }
before=$(state)
refused() {
    local status=0
    wine "$@" || status=$?
    [ $status = 2 ] || fail "$1 while the program runs: status $status, not 2"
    [ "$(state)" = "$before" ] || fail "$1 while the program runs changed the installation"
}
refused "$setup" /S
refused "$dir/uninstall.exe" /S "_?=$(winepath -w "$dir")"
# As Apps & features starts it, the uninstaller hands over to a copy of itself
# and ends at once, with status 0; the copy refuses as it does in place.
copying() {
    for process in $(pgrep -f 'nsu[0-9A-Za-z]*\.tmp.Un\.exe'); do
        grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$process/environ" 2>/dev/null && return 0
    done
    return 1
}
wine "$dir/uninstall.exe" /S
copying || fail "the uninstaller left no copy of itself running"
await '! copying'
[ "$(state)" = "$before" ] || fail "the uninstaller's copy changed the installation while the program runs"

xdotool windowfocus "$(window)"
xdotool key alt+F4
await '[ -z "$(window)" ]'
[ "$(stored sound a)" = "REG_SZ True" ] || fail "sound/a is '$(stored sound a)'"
[[ $(stored Startup X) =~ ^REG_SZ\ -?[0-9]+$ ]] && [[ $(stored Startup Y) =~ ^REG_SZ\ -?[0-9]+$ ]] \
    || fail "Startup is '$(stored Startup X)', '$(stored Startup Y)'"

# A log-off: the session asks the program to save, then ends it.
wine reg delete "$settings" /f >/dev/null
env -u WINEPATH wine start /unix "$shortcut"
await '[ -n "$(window)" ]'
wine wineboot --end-session
await '[ -z "$(window)" ]'
[ "$(stored sound a)" = "REG_SZ True" ] && [ -n "$(stored Startup X)" ] || fail "nothing saved at the log-off"

wine "$dir/uninstall.exe" /S
# The uninstaller runs on from a copy of itself, so that it can delete itself.
await '! copying'
[ ! -e "$dir" ] || fail "files are left in $dir"
[ ! -e "$shortcut" ] || fail "the shortcut is left"
! wine reg query "$entry" >/dev/null 2>&1 || fail "still in Apps & features"
[ "$(stored sound a)" = "REG_SZ True" ] || fail "the settings went with the program"
echo "installed, used and uninstalled"
