#!/usr/bin/env bash
# Checks a built Debian package the way the archive would: lintian without errors, and the desktop
# entry and AppStream file it installs valid. With BUILD_DIR, and run as root on a machine without
# Quillmap installed, it then installs the package, uses it as an ordinary user (nobody) would and
# purges it again: nothing that user's folders keep may point at the removed program.
# Usage: check_package.sh PACKAGE.deb [BUILD_DIR]
set -euo pipefail
deb=$1
build=${2:-}
root=$(mktemp -d)
installed_here=false
cleanup() {
  if $installed_here; then apt-get purge -y quillmap >/dev/null 2>&1 || true; fi
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/quillmap.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.quillmap.metainfo.xml" >/dev/null
# lintian refuses to run as root unless told it may; the package is only read.
lintian --allow-root --fail-on error --info "$deb"
echo "package checked: $(basename "$deb")"

if [ -z "$build" ] || [ "$(id -u)" -ne 0 ] || dpkg -s quillmap >/dev/null 2>&1; then
  echo "   (not installed and purged: that needs BUILD_DIR, root and no Quillmap installed here)"
  exit 0
fi
chmod 755 "$root"
home=$root/home
mkdir -p "$home"
chown 65534:65534 "$home"
as_user=(env -i PATH=/usr/bin:/bin HOME="$home" setpriv --reuid=65534 --regid=65534 --clear-groups --)
installed_here=true
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$(realpath "$deb")" >/dev/null
qmp_default() { "${as_user[@]}" xdg-mime query default application/x-quillmap-project; }
[ "$(qmp_default)" = quillmap.desktop ] || fail "the package does not make Quillmap the program for .qmp files"

# "Open .qmp files with Quillmap..." and Yes, as the window runs it; then a build of a project of
# the user's own, whose links lead nowhere into the sample site.
window=$("${as_user[@]}" env QT_QPA_PLATFORM=offscreen QUILLMAP_INSTALLED_PROGRAM=/usr/bin/quillmap \
  "$build/tests/gui_shell" --gtest_filter='InstalledPackage.*' 2>&1) || fail "the registration: $window"
[[ $window == *"[  PASSED  ] 1 test"* ]] || fail "the registration's test did not run: $window"
"${as_user[@]}" sh -c "sed 's#sample-site/#pages/#' /usr/share/quillmap/Projects/sample_site.qmp > '$home/mine.qmp'"
"${as_user[@]}" quillmap-build "$home/mine.qmp" >/dev/null || fail "quillmap-build of the user's project failed"
user_out=$home/.local/share/quillmap/out
[ -f "$user_out/Quillnav.js" ] && [ -f "$user_out/index.html" ] || fail "the build did not use $user_out"

DEBIAN_FRONTEND=noninteractive apt-get purge -y quillmap >/dev/null
installed_here=false
dead=$(grep -rlsI quillmap "$home/.local/share/applications" "$home/.local/share/mime" "$home/.local/share/icons" \
  "$home/.config/mimeapps.list" || true)
[ -z "$dead" ] || fail "left behind for the removed program: $dead"
[ -z "$(qmp_default)" ] || fail ".qmp files still open with $(qmp_default)"
[ ! -e "$user_out/sample-site" ] || fail "the user's out folder holds a copy of the sample site"
echo "package installed, used by an ordinary user and purged: nothing left that names it"
