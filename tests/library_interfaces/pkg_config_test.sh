#!/usr/bin/env bash
# Installs the build tree under a temporary prefix and builds C programs
# against it with nothing but `pkg-config --cflags --libs`: a point-of-sale
# program that calls the event loop of kbxplatform.h as kbxfunc.h tells it
# to, and an interface-library program that calls the interface alone. Both
# must link and run from the installed libraries.
#
# pkg-config(1): --libs lists the Libs of the package and of its Requires;
# the Requires.private packages only add their Cflags (and their Libs with
# --static).
set -euo pipefail

build="$(cd "$1" && pwd)"
cc="$2"
pkg_config="$3"
sources="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

prefix="$work/usr"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; echo "FAILED: cmake --install" >&2; exit 1; }
pcdir="$(dirname "$(find "$prefix" -name kbxfunc.pc -print -quit)")"
libdir="$(dirname "$pcdir")"

failures=0
# build_and_run PACKAGE SOURCE: links SOURCE with the package's flags alone.
build_and_run() {
  local flags
  flags="$(PKG_CONFIG_PATH="$pcdir" PKG_CONFIG_LIBDIR="$pcdir" "$pkg_config" --cflags --libs "$1")" ||
    { echo "FAILED: pkg-config $1" >&2; failures=$((failures + 1)); return; }
  # shellcheck disable=SC2086 # the flags are separate words
  if ! "$cc" -o "$work/$1_user" "$sources/$2" $flags 2>"$work/$1.log"; then
    echo "FAILED: $2 does not link with: $flags" >&2
    cat "$work/$1.log" >&2
    failures=$((failures + 1))
    return
  fi
  LD_LIBRARY_PATH="$libdir" "$work/$1_user" ||
    { echo "FAILED: $2 ended with $?" >&2; failures=$((failures + 1)); }
}

build_and_run kbxfunc installed_platform_user.c
build_and_run kbxi32 installed_interface_user.c

[ "$failures" -eq 0 ]
