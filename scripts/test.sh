#!/usr/bin/env bash
# Every test: the normal build with all tests, then the libraries' tests
# again under the address and undefined-behaviour sanitizers (the Qt editor
# is left out of that build: the libraries and the document model are what
# parse outside input).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh

jobs="$(nproc)"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build --output-on-failure -j "$jobs"

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKBX_SANITIZE=ON -DKBX_BENCHMARKS=OFF -DKBX_EDITOR=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
