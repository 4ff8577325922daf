#!/usr/bin/env bash
# The program installed like any other: `cmake --install` into a temporary prefix, made read-only
# and run by a user who cannot write it (nobody, when the tests run as root). Building a menu must
# then use the user's own out folder, made as a copy of the shipped one and never overwritten.
# Usage: installed_tree_test.sh BUILD_DIR (the window's part runs BUILD_DIR/tests/gui_build)
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT
chmod 755 "$root"
prefix=$root/prefix
home=$root/home
cmake --install "$build" --prefix "$prefix" >/dev/null
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
chmod -R a-w "$prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }
build_menu() {
  env -i PATH=/usr/bin:/bin HOME="$home" "${as_user[@]}" "$prefix/bin/quillmap-build" \
    "$prefix/share/quillmap/Projects/sample_site.qmp"
}

user_out=$home/.local/share/quillmap/out
report=$(build_menu) || fail "quillmap-build failed: $report"
[[ $report == *"$user_out/Quillnav.js"* ]] || fail "the report does not name the user's out folder: $report"
for file in Quillnav.js Quillnavstyle.css index.html ftv2doc.gif sample-site/home.html; do
  [ -f "$user_out/$file" ] || fail "$file missing in the user's out folder"
done
[ ! -e "$prefix/share/quillmap/out/Quillnav.js" ] || fail "the installed tree was written"

# A later run adds what is missing and keeps the user's own changes.
"${as_user[@]}" sh -c "echo mine > '$user_out/index.html' && rm '$user_out/ftv2doc.gif'"
build_menu >/dev/null || fail "the second build failed"
[ "$(cat "$user_out/index.html")" = mine ] || fail "the user's index.html was replaced"
[ -f "$user_out/ftv2doc.gif" ] || fail "a missing shipped file was not added again"

# A user's folder that cannot be made is reported with the reason, and nothing else is written.
rm -rf "$home/.local"
"${as_user[@]}" sh -c "mkdir -p '$home/.local/share' && chmod a-w '$home/.local/share'"
if error=$(build_menu 2>&1); then fail "a build without any writable out folder succeeded"; fi
[[ $error == *"Cannot create folder $user_out"*"Permission denied"* ]] || fail "unclear error: $error"
# The window, offscreen, as the same user: Build, Build and Test, Browse "Out", the help text and
# the custom images all use the user's folder.
rm -rf "$home/.local"
window=$(env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen QUILLMAP_TEST_USER_DATA=1 QUILLMAP_INSTALLED_DATA="$prefix/share/quillmap" \
  "${as_user[@]}" "$build/tests/gui_build" --gtest_filter='InstalledProgram.*' 2>&1) || fail "the window: $window"
[[ $window == *"[  PASSED  ] 1 test"* ]] || fail "the window's test did not run: $window"
echo "installed tree: quillmap-build and the window use $user_out"
