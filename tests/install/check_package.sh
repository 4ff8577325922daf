#!/usr/bin/env bash
# Checks a built Debian package the way the archive would: lintian without errors, and the desktop
# entry and AppStream file it installs valid. Usage: check_package.sh PACKAGE.deb
set -euo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/quillmap.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.quillmap.metainfo.xml" >/dev/null
# lintian refuses to run as root unless told it may; the package is only read.
lintian --allow-root --fail-on error --info "$deb"
echo "package checked: $(basename "$deb")"
