#!/usr/bin/env bash
# `cmake --install` puts the program, its menu entry, its icons and its metadata where a desktop looks for them,
# and the desktop's own validators accept the entry and the metadata. Exit 77 (skipped) without the validators.
set -euo pipefail
build=$1
command -v desktop-file-validate >/dev/null || { echo "SKIPPED: needs desktop-file-validate (desktop-file-utils)"; exit 77; }
command -v appstreamcli >/dev/null || { echo "SKIPPED: needs appstreamcli (appstream)"; exit 77; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

missing=0
for file in bin/vorlix share/applications/vorlix.desktop share/metainfo/vorlix.metainfo.xml \
  share/icons/hicolor/scalable/apps/vorlix.svg share/doc/vorlix/LICENSE; do
  [[ -f "$prefix/$file" ]] || { echo "missing: $file"; missing=1; }
done
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/vorlix.png"
  [[ -f "$png" ]] || { echo "missing: $png"; missing=1; continue; }
  # A PNG's width and height stand at bytes 16-23 of its header.
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')
  [[ "$width" == "$size" && "$height" == "$size" ]] || { echo "$png is ${width}x${height}"; missing=1; }
done
((missing == 0)) || exit 1

desktop-file-validate "$prefix/share/applications/vorlix.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/vorlix.metainfo.xml"
grep -q '^Exec=vorlix$' "$prefix/share/applications/vorlix.desktop"
echo "installed files are in place and valid"
