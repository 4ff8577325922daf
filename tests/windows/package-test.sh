#!/usr/bin/env bash
# Under wine: the zip's and the silently installed builder build the sample menu as this machine's
# does, the installed one by default into the user's own out folder; the installer registers .qmp
# (path quoted), the Start menu and Apps entries; neither the installer nor the uninstaller touches
# a running program; the silent uninstall leaves only the user's own files and no registry key of
# ours, and leaves a file type that opens another copy.
set -euo pipefail # package-test.sh WORK ZIP SETUP NATIVE_BUILDER
work=$1 zip=$2 setup=$3 native=$4
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo "$(dirname "$(readlink -f "$wine")")/wineserver")
export WINEPREFIX="$work/wine" WINEDEBUG=-all
fail() { echo "package-test: $*" >&2; exit 1; }
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
unixpath() { "$wine" winepath -u "$1" | tr -d '\r' | sed 's|/$||'; }
variable() { "$wine" cmd /c echo "%$1%" | tr -d '\r'; }
default_value() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
builds_menu() { # program-folder out-folder
  "$wine" "$1/quillmap-build.exe" "$(winpath "$1/Projects/sample_site.qmp")" --out "$(winpath "$2")" >/dev/null
  for name in Quillnav.js Quillnavstyle.css; do cmp "$work/native/$name" "$2/$name" || fail "$1: $name differs"; done
}

rm -rf "$work" && mkdir -p "$work"
"$wine" wineboot --init >/dev/null 2>&1
"$native" "$(dirname "$native")/Projects/sample_site.qmp" --out "$work/native" >/dev/null
unzip -q "$zip" -d "$work/zip"
builds_menu "$work/zip/Quillmap" "$work/zip-menu"

"$wine" "$setup" /S
"$wineserver" -w
program="$(variable LOCALAPPDATA)\\Programs\\Quillmap"
installed=$(unixpath "$program")
[ -f "$installed/uninstall.exe" ] || fail "nothing installed in $installed"
[ -f "$(unixpath "$(variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Quillmap.lnk")" ] || fail "no Start-menu entry"
classes='HKCU\Software\Classes' apps='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmap'
[ "$(default_value "$classes\\.qmp")" = QMAPFile ] || fail ".qmp is not registered"
command=$(default_value "$classes\\QMAPFile\\shell\\open\\command")
[ "$command" = "\"$program\\quillmap.exe\" \"%1\"" ] || fail "open command $command"
"$wine" reg query "$apps" /v QuietUninstallString >/dev/null 2>&1 || fail "not listed in Apps"
builds_menu "$installed" "$work/installed-menu"
"$wine" "$installed/quillmap-build.exe" "$(winpath "$installed/Projects/sample_site.qmp")" >/dev/null
user_out=$(unixpath "$(variable LOCALAPPDATA)\\Quillmap\\out")
[ -f "$user_out/Quillnav.js" ] && [ ! -e "$installed/out/Quillnav.js" ] || fail "the installed program did not build into $user_out"

# A running program: both refuse (exit status 2) and change nothing.
"$wine" "$installed/quillmap.exe" >/dev/null 2>&1 &
running=$!
sleep 5
kill -0 "$running" || fail "quillmap.exe did not start"
status=0; "$wine" "$installed/uninstall.exe" /S "_?=$program" || status=$?
[ "$status" = 2 ] && [ -f "$installed/quillmap.exe" ] || fail "the uninstall with Quillmap running ended with $status"
"$wine" reg query "$apps" >/dev/null 2>&1 || fail "the uninstall with Quillmap running removed the Apps entry"
touch -d 2001-01-01 "$installed/quillmap-build.exe"
status=0; "$wine" "$setup" /S || status=$?
[ "$status" = 2 ] && [ "$(stat -c %Y "$installed/quillmap-build.exe")" = "$(date -d 2001-01-01 +%s)" ] ||
  fail "the install over a running Quillmap ended with $status"
kill "$running"; wait "$running" || true
"$wineserver" -w
"$wine" reg add 'HKCU\Software\Quillmap\Recent Projects' /v 0 /d 'C:\mine.qmp' /f >/dev/null

echo mine >"$installed/Projects/mine.qmp"
"$wine" "$installed/uninstall.exe" /S
sleep 2 # the uninstaller runs on from a copy of itself
"$wineserver" -w
left=$(cd "$installed" && find . -type f)
[ "$left" = ./Projects/mine.qmp ] || fail "left after the uninstall: $left"
for key in "$classes\\.qmp" "$classes\\QMAPFile" "$apps" 'HKCU\Software\Zentavo' 'HKCU\Software\Quillmap'; do
  if "$wine" reg query "$key" >/dev/null 2>&1; then fail "$key is still there"; fi
done
[ -f "$user_out/Quillnav.js" ] && [ -f "$user_out/ftv2doc.gif" ] || fail "the uninstall took the user's out folder"

# The file type taken by the zip's program since the install stays with it.
"$wine" "$setup" /S
"$wineserver" -w
zip_command="\"$(winpath "$work/zip/Quillmap/quillmap.exe")\" \"%1\""
"$wine" reg add "$classes\\QMAPFile\\shell\\open\\command" /ve /d "$zip_command" /f >/dev/null
"$wine" "$installed/uninstall.exe" /S
sleep 2
"$wineserver" -w
[ ! -e "$installed/quillmap.exe" ] || fail "the second uninstall left quillmap.exe"
[ "$(default_value "$classes\\.qmp")" = QMAPFile ] && [ "$(default_value "$classes\\QMAPFile\\shell\\open\\command")" = "$zip_command" ] ||
  fail "the uninstall took the zip's file type"
echo "package-test: zip and installer build the menu; a running Quillmap is left alone; the uninstall left the user's files only"
