#!/usr/bin/env bash
# Builds the Debian package from the build tree with CPack and compares its
# files with the files the install rules name (install_manifest.txt of an
# install with the package's prefix /usr): the package holds every one of
# them and nothing else. Its control data names the runtime dependencies.
set -euo pipefail

build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; echo "FAILED: cpack" >&2; exit 1; }
package="$(find "$work/package" -maxdepth 1 -name 'kbx_*.deb' -print -quit)"
[ -n "$package" ] || { echo "FAILED: no kbx_*.deb made" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; echo "FAILED: cmake --install" >&2; exit 1; }
sed "s|^$work/root||" "$build/install_manifest.txt" | sort >"$work/installed.txt"

# Files and links of the package, without its folders: "./usr/bin/kbx32".
dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\.||' | sort >"$work/packaged.txt"

status=0
if ! diff -u "$work/installed.txt" "$work/packaged.txt" >"$work/difference.txt"; then
  echo "FAILED: the package and the install rules disagree (- installed only, + packaged only):" >&2
  cat "$work/difference.txt" >&2
  status=1
fi
[ "$(wc -l <"$work/installed.txt")" -gt 0 ] || { echo "FAILED: nothing installed" >&2; status=1; }

depends="$(dpkg-deb -f "$package" Depends)"
for needed in libc6 libstdc++6; do
  case "$depends" in *"$needed"*) ;; *) echo "FAILED: Depends lacks $needed: $depends" >&2; status=1 ;; esac
done
if grep -q '/usr/bin/key$' "$work/installed.txt"; then
  for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 fonts-liberation; do
    case "$depends" in *"$needed"*) ;; *) echo "FAILED: Depends lacks $needed: $depends" >&2; status=1 ;; esac
  done
fi

[ "$status" -eq 0 ] && echo "$(basename "$package") holds the $(wc -l <"$work/installed.txt") installed files"
exit "$status"
