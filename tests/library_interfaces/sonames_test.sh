#!/usr/bin/env bash
# kbx32 in a tree whose lib/ holds each library under its soname only, as the
# run-time package installs them (the unversioned names belong to the
# development files): it compiles with libkbxc32.so.1 and reaches the port
# through libkbxi32.so.1, and without libkbxi32.so.1 it reports the interface
# library as missing (exit 11).
set -euo pipefail

build="$(cd "$1" && pwd)"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/bin" "$work/lib"
cp "$build/bin/kbx32" "$work/bin/"
for library in kbxc32 kbxi32 kbxfunc kbxplatform kbxusb; do
  cp -L "$build/lib/lib$library.so.1" "$work/lib/"
done
cp "$source_dir/data/examples/bakery.kbf" "$work/"

failures=0
expect_exit() {
  local expected="$1"
  shift
  local status=0
  env -i PATH=/usr/bin:/bin KBX_COM1=/dev/null "$work/bin/kbx32" "$@" >"$work/out" 2>&1 || status=$?
  if [ "$status" -ne "$expected" ]; then
    echo "FAILED: kbx32 $* ended with $status, not $expected" >&2
    cat "$work/out" >&2
    failures=$((failures + 1))
  fi
}

expect_exit 0 "$work/bakery.kbf" COMP
[ -s "$work/bakery.kbx" ] || { echo "FAILED: no image compiled" >&2; failures=$((failures + 1)); }
# /dev/null is no serial port: the library is loaded and refuses the port (6).
expect_exit 6 --header COM1
rm "$work/lib/libkbxi32.so.1"
expect_exit 11 --header COM1

[ "$failures" -eq 0 ]
