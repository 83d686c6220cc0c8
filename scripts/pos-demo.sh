#!/usr/bin/env bash
# The point-of-sale side: kbxpos opens the point-of-sale library against the
# simulated keyboard's keyboard channel, a card swipe and a barcode typed by
# the keyboard arrive as frames, and a price written by kbxpos shows on the
# keyboard's customer display.
#
#   scripts/pos-demo.sh          (after a build; scripts/demo.sh builds)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
[ -x build/bin/kbxpos ] || scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo

work="build/pos-demo"
rm -rf "$work"
mkdir -p "$work"
echo "== kbxsim with the keyboard channel $work/keyboard.sock; it swipes a card and scans a barcode"
build/bin/kbxsim serial --channel "$work/keyboard.sock" \
  --do "swipe 4711123456789 0815" --do "barcode 4006381333931" > "$work/kbxsim.out" 2>&1 &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -S "$work/keyboard.sock" ] && break; sleep 0.05; done
export KBX_KEYBOARD="sim:$root/$work/keyboard.sock"

echo "== kbxpos: module frames as they arrive, then a price on the customer display"
printf '%s\n' "msr on" "wait 1000" "beep" "display open" "display 1 1 Brot" "display 2 13 Summe 3,20" \
  "wait 500" "display close" "quit" | build/bin/kbxpos

echo "== what the simulated keyboard saw (commands and its display)"
sleep 0.2
grep -v '^desktop ' "$work/kbxsim.out" | tail -n 12
