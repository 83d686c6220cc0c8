#!/usr/bin/env bash
# Every test: the normal build with all tests; then the libraries' and
# tools' tests again under the address and undefined-behaviour sanitizers
# (leaks included; the editor's tests run in the normal build only); then
# the Debian packages, built from a scratch copy, checked with lintian and
# installed into a fresh Debian 12 (needs root, or sudo, and the Debian
# mirror). The install and package tests run in the normal build only.
# Both builds treat compiler warnings as errors.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/install-deps.sh

jobs="$(nproc)"
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKBX_WERROR=ON
ctest --test-dir build --output-on-failure -j "$jobs"

scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKBX_WERROR=ON -DKBX_SANITIZE=ON -DKBX_BENCHMARKS=OFF -DKBX_EDITOR=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

runner=()
if [ "$(id -u)" -ne 0 ]; then runner=(sudo); fi
"${runner[@]}" tests/install/debian_package_test.sh
