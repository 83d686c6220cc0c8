#!/usr/bin/env bash
# Configures and builds one build tree: build.sh FOLDER [CMAKE OPTIONS...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
cmake -S "$root" -B "$folder" -G Ninja "$@" >/dev/null
cmake --build "$folder" -j "$(nproc)"
