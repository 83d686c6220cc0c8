#!/usr/bin/env bash
# Installs the Debian package into a fresh, minimal Debian 12 system (made
# with debootstrap in a scratch folder) with apt-get, the way a user would,
# and runs each installed program once there: the package's declared
# dependencies must bring everything the programs need. Needs root and the
# Debian mirror; takes a few minutes. Run on demand, not by the tests.
#
#   packaging/fresh-install-check.sh [PACKAGE.deb]
#
# Without an argument the package is built from the build folder "build".
# KBX_FRESH_ROOT names the scratch folder (default a new one in /var/tmp);
# KBX_FRESH_MIRROR the Debian mirror (default deb.debian.org).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

package="${1:-}"
if [ -z "$package" ]; then
  cmake --build "$root/build" --target package >/dev/null
  package="$(ls "$root"/build/kbx_*.deb | head -n 1)"
fi
package="$(cd "$(dirname "$package")" && pwd)/$(basename "$package")"

command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fresh="${KBX_FRESH_ROOT:-$(mktemp -d /var/tmp/kbx-fresh.XXXXXX)}"
mirror="${KBX_FRESH_MIRROR:-http://deb.debian.org/debian}"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

echo "== a minimal Debian 12 in $fresh"
[ -x "$fresh/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$fresh.log" 2>&1 ||
  { tail -20 "$fresh.log" >&2; exit 1; }
for fs in proc sys dev; do
  mount --bind "/$fs" "$fresh/$fs"
  mounted+=("$fresh/$fs")
done
cp /etc/resolv.conf "$fresh/etc/resolv.conf"
cp "$package" "$fresh/tmp/"

echo "== apt-get install ./$(basename "$package")"
chroot "$fresh" /bin/sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq ./tmp/$(basename "$package")" >"$fresh/install.log" 2>&1 ||
  { tail -30 "$fresh/install.log" >&2; exit 1; }

echo "== the installed programs"
# Each program once as a user would run it; the editor draws one picture of
# itself on the offscreen platform.
chroot "$fresh" /bin/sh -eu -c '
  cd /tmp
  for program in kbx32 kbxsim kbxdump kbxlayout kbxpos; do "$program" --help >/dev/null; done
  cp /usr/share/kbx/examples/bakery.kbf .
  kbx32 bakery.kbf COMP >/dev/null
  kbxdump bakery.kbx | grep -q "\"Vyrn\""
  kbxlayout new --template Gorm new.kbf | grep -q "from the template /usr/share/kbx/LAY/"
  kbxlayout show new.kbf | grep -q "^Model:"
  QT_QPA_PLATFORM=offscreen KEY_LANG=en key --screenshots /tmp/pictures new.kbf >/dev/null 2>&1
  test -f /tmp/pictures/main_window.png
  man -w kbx32 >/dev/null 2>&1 || test -f /usr/share/man/man1/kbx32.1
'
echo "== the package installs and runs on a fresh Debian 12 ($fresh)"
