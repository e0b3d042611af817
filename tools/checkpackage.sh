#!/usr/bin/env bash
# Builds the Debian package from a built tree and judges it with Debian's own tools:
# lintian (no errors), appstreamcli and desktop-file-validate (no errors or warnings),
# and the package's file list, owners and fields.
# Usage: checkpackage.sh <build folder> <with tavlo-map: 0 or 1>
set -uo pipefail
build=$(cd "$1" && pwd)
with_map=${2:-0}

for tool in cpack lintian appstreamcli desktop-file-validate dpkg-shlibdeps dpkg-deb; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: run 'bash tools/deps.sh'"
        exit 1
    }
done

out=$build/package-check
rm -rf "$out"
mkdir -p "$out"
if ! (cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1); then
    cat "$out/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
debs=("$out"/tavlo_*_amd64.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "FAIL: no tavlo_*_amd64.deb in $out"; exit 1; }
echo "package: ${deb#"$build"/}"
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

echo "--- lintian"
lintian --display-info "$deb" >"$out/lintian.txt" 2>&1
grep -v '^running with root privileges' "$out/lintian.txt" || true
grep -q '^E:' "$out/lintian.txt" && fail "lintian reports errors"

root=$out/root
dpkg-deb -x "$deb" "$root"

echo "--- appstreamcli validate --no-net"
for f in "$root"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net "$f" >"$out/appstream.txt" 2>&1
    cat "$out/appstream.txt"
    grep -qE '^[EW]:' "$out/appstream.txt" && fail "appstreamcli: errors or warnings in ${f##*/}"
done

echo "--- desktop-file-validate"
for f in "$root"/usr/share/applications/*.desktop; do
    msgs=$(desktop-file-validate "$f" 2>&1)
    [ -z "$msgs" ] || fail "desktop-file-validate: $msgs"
done

echo "--- contents"
dpkg-deb -c "$deb" >"$out/contents.txt"
want=(
    ./usr/bin/tavlo
    ./usr/share/man/man1/tavlo.1.gz
    ./usr/share/applications/tavlo.desktop
    ./usr/share/mime/packages/tavlo.xml
    ./usr/share/metainfo/example.tavlo.Tavlo.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/tavlo.svg
    ./usr/share/doc/tavlo/copyright
    ./usr/share/doc/tavlo/changelog.Debian.gz
)
for size in 16 32 48 64 128 256; do
    want+=("./usr/share/icons/hicolor/${size}x${size}/apps/tavlo.png")
done
if [ "$with_map" = 1 ]; then
    want+=(./usr/bin/tavlo-map ./usr/share/man/man1/tavlo-map.1.gz)
fi
for path in "${want[@]}"; do
    awk '{print $6}' "$out/contents.txt" | grep -qxF "$path" || fail "the package lacks $path"
done
awk '$2 != "root/root" {print}' "$out/contents.txt" | grep . && fail "files not owned by root/root"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends does not name the Qt libraries"
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/tavlo/changelog.Debian.gz" | head -n1 | grep -qF "tavlo ($version)" ||
    fail "the changelog's latest entry is not version $version"
grep -m1 '<release ' "$root"/usr/share/metainfo/*.xml | grep -qF "version=\"${version%-*}\"" ||
    fail "the AppStream metadata's latest release is not ${version%-*}"

[ "$failed" = 0 ] && echo "package checks passed"
exit "$failed"
