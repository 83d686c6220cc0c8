#!/usr/bin/env bash
# The main job: compile the example layout, download it into the simulated
# keyboard through a serial port, upload the keyboard memory back and show
# that the keyboard holds the compiled image.
#
#   scripts/demo.sh [LAYOUT.kbf]
#   KBX_DEMO_PACED=1 scripts/demo.sh    the keyboard's line runs at the real
#                                       9600 baud: watch a realistic download
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

example="${1:-data/examples/bakery.kbf}"
work="build/demo"
rm -rf "$work"
mkdir -p "$work"
cp "$example" "$work/"
source_file="$work/$(basename "$example")"
image="${source_file%.*}.kbx"
uploaded="$work/uploaded.kbx"
interface="COM1:9600,O,8"

pacing=()
if [ -n "${KBX_DEMO_PACED:-}" ]; then pacing=(--line-rate); fi
echo "== kbxsim: the simulated keyboard on a pseudo-terminal, line 9600,O,8 ${pacing[*]}"
build/bin/kbxsim serial --link "$work/COM1" --settings 9600,O,8 "${pacing[@]}" > "$work/kbxsim.out" &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$work/kbxsim.out" ] && break; sleep 0.05; done
cat "$work/kbxsim.out"
export KBX_COM1="$work/COM1"

echo "== kbx32 $source_file $interface  (compile and download)"
started=$(date +%s%N)
build/bin/kbx32 "$source_file" "$interface" > "$work/messages.txt"
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
printf 'compiled and downloaded in %d.%02d s\n' $((elapsed_ms / 1000)) $((elapsed_ms % 1000 / 10))
echo "messages for the editor's progress dialog: $(grep -v -c '^kbx_message 0 ' "$work/messages.txt") phase and" \
     "result lines, $(grep -c '^kbx_message 0 ' "$work/messages.txt") percentages:"
grep -v '^kbx_message 0 ' "$work/messages.txt"
echo "== log ${source_file%.*}.LOG"
cat "${source_file%.*}.LOG"

echo "== kbx32 --header $interface"
build/bin/kbx32 --header "$interface"

echo "== kbx32 --upload $uploaded $interface"
build/bin/kbx32 --upload "$uploaded" "$interface" > /dev/null

if cmp -s "$image" "$uploaded"; then
  echo "== the keyboard holds the compiled image: $(stat -c %s "$uploaded") bytes, identical"
else
  echo "== the uploaded memory differs from the compiled image" >&2
  cmp "$image" "$uploaded" >&2 || true
  exit 1
fi

echo "== kbxdump $uploaded"
build/bin/kbxdump "$uploaded"
