#!/usr/bin/env bash
# The zip's program unpacked in a folder more than 260 characters deep, under
# Wine, on the X server, sound server and Wine prefix of scripts/with-wine:
# keyed with its cues counted on the sound server, then F1, which must open
# KAVLO.HTML with no message. The .HTML type is pointed at a stand-in viewer,
# cmd.exe, which copies out the document it is given; Wine's own viewer,
# winebrowser, finds no Linux browser here, and the shell reports 31.
#   tests/longpath.sh ZIP
set -euo pipefail
[ -f "$1" ] || { echo "no zip: build the packages target first"; exit 77; }
zip=$(realpath "$1")
source "$(dirname "$0")/wine.sh"
# A Linux path as Wine names it on its drive for /; winepath cuts a long one at 260 characters.
windows() { local path=${1//\//\\}; echo "Z:$path"; }

top=$(mktemp -d)
events=$top/events
opened=$top/opened
trap 'kill ${program:-} ${subscriber:-} 2>/dev/null || true; for key in .HTML KavloLongPathViewer; do wine reg delete "HKCR\\$key" /f >/dev/null 2>&1 || true; done
      rm -rf "$top"' EXIT
# Folders of up to 60 characters, so that the program's, as Windows names it, is 316 long.
name=$(basename "$zip" .zip)
want=$((316 - 2 - 1 - ${#name}))
deep=$top
while [ ${#deep} -lt $want ]; do
    n=$((want - ${#deep} - 1))
    deep+=/$(head -c $((n > 60 ? 60 : n > 0 ? n : 1)) /dev/zero | tr '\0' d)
done
mkdir -p "$deep"
(cd "$deep" && cmake -E tar xf "$zip")
exe=$(ls "$deep"/*/kavlo.exe)
folder=$(windows "$(dirname "$exe")")
echo "the program's folder is ${#folder} characters long: $folder"
[ ${#folder} -gt 260 ] || fail "not deep enough"

wine reg add 'HKCR\.HTML' /ve /d KavloLongPathViewer /f >/dev/null
wine reg add 'HKCR\KavloLongPathViewer\shell\open\command' /ve /f \
    /d "cmd.exe /c type \"%1\">>\"$(windows "$opened")\"" >/dev/null

pactl subscribe >"$events" &
subscriber=$!
# From another working folder, and without the build's WINEPATH: the zip's
# own DLLs must be enough.
(cd "$top" && exec env -u WINEPATH wine "$exe") &
program=$!
await '[ -n "$(window)" ]'
xdotool windowfocus "$(window)"
sleep 0.5
xdotool key --delay 200 1 0 alt+d
await '[ "$(streams)" -ge 3 ]'
echo "$(streams) cues played"

xdotool key F1
await 'cmp -s "$opened" "$(dirname "$exe")/KAVLO.HTML"'
[ -z "$(window KAVLO)" ] || fail "a message box came up"
# The viewer has taken the focus: a click on the title bar gives it back, and the window still keys.
xdotool mousemove --window "$(window)" 60 10 click 1
sleep 0.5
played=$(streams)
xdotool key 3
await '[ "$(streams)" -gt "$played" ]'
xdotool key alt+F4
await '[ -z "$(window)" ]'
wait $program
echo "cues and help from a folder ${#folder} characters deep"
