#!/usr/bin/env bash
# The Debian package holds the installed files, depends on what dpkg-shlibdeps found the program links, and its
# program carries the build's version block. Exit 77 (skipped) without the Debian tools.
set -euo pipefail
build=$1
version_tool=$2
version=$3
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: needs $tool"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/out/vorlix_*.deb)
dpkg-deb -x "$package" "$work/root"

for file in usr/bin/vorlix usr/share/applications/vorlix.desktop usr/share/metainfo/vorlix.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/vorlix.svg usr/share/icons/hicolor/16x16/apps/vorlix.png \
  usr/share/icons/hicolor/256x256/apps/vorlix.png usr/share/doc/vorlix/LICENSE; do
  [[ -f "$work/root/$file" ]] || { echo "FAILED: the package lacks $file"; exit 1; }
done

depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libqt6widgets6 libqt6network6; do
  grep -q "$library" <<<"$depends" || { echo "FAILED: Depends lacks $library: $depends"; exit 1; }
done
[[ "$(dpkg-deb -f "$package" Version)" == "$version" ]] || { echo "FAILED: package version is not $version"; exit 1; }

block=$("$version_tool" "$work/root/usr/bin/vorlix")
grep -qx "FileVersion=$version" <<<"$block" || { echo "FAILED: version block: $block"; exit 1; }
grep -qx "ProductName=Vorlix" <<<"$block" || { echo "FAILED: version block: $block"; exit 1; }
echo "package $(basename "$package") holds the program and its files; Depends: $depends"
