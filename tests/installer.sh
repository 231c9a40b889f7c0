#!/usr/bin/env bash
# The Windows installer under Wine, on the X server, sound server and Wine
# prefix of scripts/with-wine: installed silently for the user; the program
# started from its Start-menu shortcut, a batting average keyed and copied,
# its cues counted on the sound server, the window closed and the settings
# read back from the registry; a log-off, which saves them too; then
# uninstalled silently, leaving no file behind and the settings in place.
#   tests/installer.sh SETUP_EXE
set -euo pipefail
setup=$1
[ -f "$setup" ] || { echo "no installer: build the packages target first"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
settings='HKCU\Software\VB and VBA Program Settings\KAVLO'
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kavlo'
folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
dir=$(folder LOCALAPPDATA)/Programs/Kavlo
shortcut="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Kavlo.lnk"
# A value of the settings as "<type> <text>".
stored() { wine reg query "$settings\\$1" /v "$2" 2>/dev/null | awk -v v="$2" '$1 == v { print $2, $3 }' | tr -d '\r'; }
# Waits up to 30 s for a condition.
await() { for _ in $(seq 150); do eval "$1" && return 0; sleep 0.2; done; fail "timed out: $1"; }
window() { xdotool search --onlyvisible --name '^KavloVer2\.0$' 2>/dev/null | head -n 1; }
streams() { grep -c "'new' on sink-input" "$events" || true; }

wine "$setup" /S
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
await '[ ! -e "$dir" ]'
[ ! -e "$shortcut" ] || fail "the shortcut is left"
! wine reg query "$entry" >/dev/null 2>&1 || fail "still in Apps & features"
[ "$(stored sound a)" = "REG_SZ True" ] || fail "the settings went with the program"
echo "installed, used and uninstalled"
