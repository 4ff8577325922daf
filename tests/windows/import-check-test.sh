#!/usr/bin/env bash
# quillmap-import.exe and quillmap-check.exe under wine against this machine's programs: a site
# folder and a sitemap with Unicode names make byte-identical projects, and the check of a project
# with local links and links to a server on 127.0.0.1 prints the same lines, paths in Windows form.
set -euo pipefail # import-check-test.sh WORK WINDOWS_BIN NATIVE_BIN EMULATOR...
work=$1 windows_bin=$2 native_bin=$3 emulator=("${@:4}")
fail() { echo "import-check-test: $*" >&2; exit 1; }
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
page() { mkdir -p "$(dirname "$site/$1")" && printf '<!DOCTYPE html><title>%s</title><a href="%s">x</a>\n' "$2" "${3:-}" >"$site/$1"; }

rm -rf "$work"
site="$work/Ünïcødé site"
page index.html "Home" "café/menü.html"
page "café/index.html" "Café – Start"
page "café/menü.html" "Menü" "index.html#nowhere"
page "日本/ページ.html" "ページ"
printf '<urlset><url><loc>https://example.com/caf%%C3%%A9/men%%C3%%BC.html</loc></url><url><loc>https://example.com/%%E6%%97%%A5%%E6%%9C%%AC/%%E3%%83%%9A%%E3%%83%%BC%%E3%%82%%B8.html</loc></url></urlset>' \
  >"$site/sitemap.xml"
mkdir -p "$work/native" "$work/windows"

# A server of the site's folder on 127.0.0.1, on a port it chooses.
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$site" >"$work/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$work/server.log" | head -n1)
  [ -n "$port" ] && break
  sleep 0.2
done
[ -n "$port" ] || fail "the test server did not start"

for system in native windows; do
  if [ $system = native ]; then
    run() { "$native_bin/$1" "${@:2}"; } && path() { echo "$1"; }
  else
    run() { "${emulator[@]}" "$windows_bin/$1.exe" "${@:2}"; } && path() { winpath "$1"; }
  fi
  out="$work/$system"
  run quillmap-import --out "$(path "$out/site.qmp")" "$(path "$site")" >"$out/import.txt"
  run quillmap-import --site "$(path "$site")" --out "$(path "$out/sitemap.qmp")" "$(path "$site/sitemap.xml")" \
    >>"$out/import.txt"
  # The check's project: the imported site with a missing anchor and two web links.
  sed -e "s|^caf%C3%A9/men%C3%BC.html|&#nowhere|" -e "s|^caf%C3%A9/index.html$|http://127.0.0.1:$port/caf%C3%A9/index.html|" \
    -e "s|^%E6%97%A5.*\.html|http://127.0.0.1:$port/missing.html|" "$out/site.qmp" >"$out/check.qmp"
  status=0
  run quillmap-check "$(path "$out/check.qmp")" --site "$(path "$site")" --online --timeout 5 \
    >"$out/check.txt" 2>&1 || status=$?
  [ $status = 1 ] || fail "$system: quillmap-check ended with $status, not 1 (some broken): $(cat "$out/check.txt")"
  tr -d '\r' <"$out/import.txt" >"$out/import-lines.txt"
  tr -d '\r' <"$out/check.txt" >"$out/check-lines.txt"
done

for file in site.qmp sitemap.qmp import-lines.txt check-lines.txt; do
  cmp "$work/native/$file" "$work/windows/$file" || fail "$file differs from this machine's"
done
grep -q "missing.html: HTTP status 404" "$work/windows/check-lines.txt" || fail "no 404 in $(cat "$work/windows/check-lines.txt")"
grep -q 'men%C3%BC.html#nowhere: no id or name "nowhere"' "$work/windows/check-lines.txt" || fail "no missing anchor in the report"
echo "import-check-test: projects and report lines as on this machine:"
cat "$work/windows/check-lines.txt"
