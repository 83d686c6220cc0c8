#!/usr/bin/env bash
# Pictures of the layout editor for the documentation: runs build/bin/key
# under a virtual X display on the example layouts and one template, and
# writes the main window, a view at 200 %, the layer-data display, the print
# preview, every sheet and dialog, and the progress dialog after a download
# to the simulated keyboard as PNG files.
#
#   tools/screenshots/screenshots.sh [FOLDER]     (default build/screenshots)
#
# Builds nothing: build the editor first (scripts/build.sh or ninja key).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
editor="${KEY_PROGRAM:-$root/build/bin/key}"
simulator="$(dirname "$editor")/kbxsim"
folder="${1:-$root/build/screenshots}"
template="$root/data/LAY/Gorm/USGorm.kbf"

if [[ ! -x "$editor" ]]; then
    echo "screenshots.sh: $editor not found; build the editor first" >&2
    exit 1
fi
if ! command -v xvfb-run >/dev/null; then
    echo "screenshots.sh: xvfb-run is missing (Debian package xvfb)" >&2
    exit 1
fi
mkdir -p "$folder"

# The editor keeps its settings beside itself or in the user's folder; a
# scratch folder keeps the pictures independent of earlier runs.
scratch="$(mktemp -d)"
keyboard_pid=""
cleanup() {
    if [[ -n "$keyboard_pid" ]]; then kill "$keyboard_pid" 2>/dev/null || true; wait "$keyboard_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$scratch/config"
export KEY_LANG="${KEY_LANG:-de}"

# The simulated keyboard that the download picture programs over "AT".
if [[ -x "$simulator" ]]; then
    "$simulator" serial --channel "$scratch/keyboard.sock" > "$scratch/keyboard.txt" &
    keyboard_pid=$!
    for _ in $(seq 50); do [[ -S "$scratch/keyboard.sock" ]] && break; sleep 0.1; done
    export KBX_KEYBOARD="sim:$scratch/keyboard.sock"
fi

shopt -s nullglob
layouts=("$root"/data/examples/*.kbf "$template")
cd "$scratch"
xvfb-run -a -s "-screen 0 1280x1024x24" "$editor" --screenshots "$folder" "${layouts[@]}"
ls -1 "$folder"/*.png
