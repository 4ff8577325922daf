#!/usr/bin/env bash
# Under xvfb-run: the window under wine and this machine's, started on Ünïcødé/日本.qmp and worked
# with the keys (association Yes, Ctrl+B, Save, reopen, Save), write the same menu and project
# bytes; under wine the association is in the user's classes, the path quoted.
set -euo pipefail # window-test.sh WORK WINDOWS_BIN NATIVE_BIN EMULATOR...
work=$1 windows_bin=$2 native_bin=$3 emulator=("${@:4}")
fail() { echo "window-test: $*" >&2; exit 1; }
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
window() { # name-pattern: waits for a visible window, prints its id
  for _ in $(seq 120); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1 | grep . && return
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for \"$1\""
    sleep 0.5
  done
  fail "no window \"$1\""
}
keys() { # window keys...
  { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; } && sleep 0.5
  xdotool key --clearmodifiers "${@:2}"
}
exists() { for _ in $(seq 120); do [ -s "$1" ] && sleep 1 && return; sleep 0.5; done; fail "no file $1"; }
save_as() { # main-window name
  keys "$1" ctrl+s
  # wine's own file dialog has no window name X can find, but it takes the keyboard focus.
  sleep 3
  xdotool key --clearmodifiers End shift+Home # the name box may hold a suggested name
  xdotool type --delay 50 "$2" && xdotool key Return
  exists "$dir/Ünïcødé/$2"
}
stop() { # main-window: closes the window (the project is saved: no question), else ends it
  keys "$1" alt+F4
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" || true
}
run() { # folder launcher...: one system's window, worked as the header says
  dir=$work/$1
  mkdir -p "$dir/Ünïcødé"
  cp -r "$bin/$exe" "$bin/out" "$bin/Help" "$bin/Projects" "$dir/"
  rm -f "$dir"/out/Quillnav*
  cp "$bin/Projects/sample_site.qmp" "$dir/Ünïcødé/日本.qmp"
  "${@:2}" "$dir/$exe" "$(shown "$dir/Ünïcødé/日本.qmp")" & pid=$!
  main=$(window '日本\.qmp')
  keys "$(window '^Quillmap$')" Return # the association question: Yes
  sleep 2
  keys "$main" ctrl+b
  exists "$dir/out/Quillnav.js"
  save_as "$main" saved.qmp
  stop "$main"
  "${@:2}" "$dir/$exe" "$(shown "$dir/Ünïcødé/saved.qmp")" & pid=$!
  main=$(window 'saved\.qmp') && sleep 3 # associated now: no question
  [ -z "$(xdotool search --onlyvisible --name '^Quillmap$')" ] || fail "$1: asked again after Yes"
  save_as "$main" again.qmp
  stop "$main"
}

rm -rf "$work"
classes='HKCU\Software\Classes'
for key in "$classes\\.qmp" "$classes\\QMAPFile" 'HKCU\Software\Zentavo'; do
  "${emulator[@]}" reg delete "$key" /f >/dev/null 2>&1 || true
done
bin=$windows_bin exe=quillmap.exe && shown() { winpath "$1"; }
run windows "${emulator[@]}"
default_value() { "${emulator[@]}" reg query "$1" /ve | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
[ "$(default_value "$classes\\.qmp")" = QMAPFile ] || fail ".qmp is not QMAPFile"
command=$(default_value "$classes\\QMAPFile\\shell\\open\\command")
[ "$command" = "\"$(winpath "$work/windows/quillmap.exe")\" \"%1\"" ] || fail "open command: $command"

# This machine's window, with a home of its own so that its association stays in the test.
bin=$native_bin exe=quillmap && shown() { echo "$1"; }
run native env HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" \
  QT_QPA_PLATFORM=xcb
for file in out/Quillnav.js out/Quillnavstyle.css Ünïcødé/saved.qmp Ünïcødé/again.qmp; do
  cmp "$work/native/$file" "$work/windows/$file" || fail "$file differs from this machine's"
done
echo "window-test: association $command; menu and saved projects as on this machine"
