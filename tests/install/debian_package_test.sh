#!/usr/bin/env bash
# Builds the Debian packages from a scratch copy of the source (nothing is
# left in the source tree), checks them with lintian and hardening-check,
# then installs them into a fresh Debian 12 (packaging/fresh-install-check.sh).
# Needs root and the Debian mirror for the last step.
#
#   tests/install/debian_package_test.sh [OUTPUT-FOLDER]
#
# The packages stay in OUTPUT-FOLDER when one is named. KBX_FRESH_ROOT is
# passed on to the fresh install; KBX_PACKAGE_NO_FRESH_INSTALL=1 skips it.
set -euo pipefail
source_root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d /var/tmp/kbx-package-test.XXXXXX)"
trap 'rm -rf "$work"' EXIT
output="${1:-$work/packages}"
mkdir -p "$output"
output="$(cd "$output" && pwd)"

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The source as committed and edited, without what an earlier package build
# in the source folder left (its CMake folder obj-ARCH/). dpkg-buildpackage
# writes the packages into the parent of the source folder.
copy="$work/build/kbx"
mkdir -p "$copy"
git -C "$source_root" ls-files -co --exclude-standard -z | grep -zv '^obj-' |
  tar -C "$source_root" --null -T - -cf - | tar -C "$copy" -xf -

echo "== dpkg-buildpackage -us -uc -b"
started=$SECONDS
(cd "$copy" && DEB_BUILD_OPTIONS="parallel=$(nproc) nocheck" dpkg-buildpackage -us -uc -b) >"$work/build.log" 2>&1 ||
  { tail -40 "$work/build.log" >&2; echo "FAILED: dpkg-buildpackage" >&2; exit 1; }
echo "   built in $((SECONDS - started)) s"
cp "$work"/build/*.deb "$work"/build/*.changes "$work"/build/*.buildinfo "$output/"
changes="$(find "$output" -maxdepth 1 -name 'kbx_*.changes' -print -quit)"

# Every package of debian/control was built.
while read -r package; do
  compgen -G "$output/${package}_*.deb" >/dev/null || fail "no package $package built"
done < <(sed -n 's/^Package: *//p' "$source_root/debian/control")

# lintian(1): --fail-on error,warning makes errors and warnings fail the run
# (the default fails on errors only). It is given the .changes file, so it
# checks every package of the build.
echo "== lintian"
lintian --fail-on error,warning --info "$changes" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian reports errors or warnings"; }

# Hardening of every program and library, as dpkg-buildflags(1) gives it for
# hardening=+all: PIE, stack protector, read-only relocations, immediate
# binding (hardening-check(1) from devscripts; fortify is checked on the
# compiler lines below, because hardening-check counts a program whose
# string calls all have sizes unknown at compile time as unfortified).
echo "== hardening"
unpacked="$work/unpacked"
mkdir -p "$unpacked"
for deb in "$output"/*.deb; do
  case "$deb" in *-dbgsym_*) continue ;; esac
  dpkg-deb -x "$deb" "$unpacked"
done
elf_count=0
while IFS= read -r -d '' file; do
  if file -b "$file" | grep -q '^ELF'; then
    elf_count=$((elf_count + 1))
    hardening-check --nofortify --nocfprotection --quiet "$file" >>"$work/hardening.log" 2>&1 ||
      fail "$(basename "$file") lacks hardening: $(hardening-check --nofortify --nocfprotection --quiet "$file" | tail -n +2)"
  fi
done < <(find "$unpacked/usr/bin" "$unpacked/usr/lib" -type f -print0)
[ "$elf_count" -eq 11 ] || fail "$elf_count programs and libraries in the packages, 6 programs and 5 libraries expected"
compiled="$(grep -cE '/usr/bin/c(\+\+|c) .* -c ' "$work/build.log" || true)"
unfortified="$(grep -E '/usr/bin/c(\+\+|c) .* -c ' "$work/build.log" | grep -cv -- '-D_FORTIFY_SOURCE=2' || true)"
[ "$compiled" -gt 0 ] || fail "no compiler lines in the build log"
[ "$unfortified" -eq 0 ] || fail "$unfortified of $compiled compiler lines lack -D_FORTIFY_SOURCE=2"

if [ -z "${KBX_PACKAGE_NO_FRESH_INSTALL:-}" ]; then
  "$source_root/packaging/fresh-install-check.sh" "$output" || fail "the fresh install"
fi

if ((failures)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "the Debian packages build, pass lintian and install ($output)"
