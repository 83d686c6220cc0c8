#!/usr/bin/env bash
# The main job: compile the example layout with kbx32 and print the image.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

example="${1:-data/examples/bakery.kbf}"
work="build/demo"
mkdir -p "$work"
cp "$example" "$work/"
source_file="$work/$(basename "$example")"
image="${source_file%.*}.kbx"

echo "== kbx32 $source_file COMP"
build/bin/kbx32 "$source_file" COMP
echo "== log ${source_file%.*}.TXT"
cat "${source_file%.*}.TXT"
echo
echo "== kbxdump $image"
build/bin/kbxdump "$image"
