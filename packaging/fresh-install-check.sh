#!/usr/bin/env bash
# Installs the Debian packages into a fresh, minimal Debian 12 system (made
# with debootstrap in a scratch folder) with apt-get, the way a user would,
# and runs each installed program once there: the packages' declared
# dependencies must bring everything the programs need. Needs root and the
# Debian mirror; takes a few minutes.
#
#   packaging/fresh-install-check.sh FOLDER
#
# FOLDER holds the packages of one build (dpkg-buildpackage puts them beside
# the source folder; tests/install/debian_package_test.sh builds them).
# In order:
#   1. the runtime library packages alone, which must bring no Qt package;
#   2. kbx-tools, kbx-data and key, without libkbx-dev: the programs load the
#      libraries by their sonames, which the runtime packages hold;
#   3. libkbx-dev: its link names lead to the installed libraries.
# KBX_FRESH_ROOT names the scratch system (default a new one in /var/tmp);
# one that exists already is used again, its kbx packages purged first.
# KBX_FRESH_MIRROR names the Debian mirror (default deb.debian.org).
set -euo pipefail

folder="$(cd "${1:?usage: $0 FOLDER-WITH-THE-PACKAGES}" && pwd)"
runtime_packages=(libkbxplatform1 libkbxc32-1 libkbxi32-1 libkbxfunc1 libkbxusb1)
program_packages=(kbx-tools kbx-data key)
development_packages=(libkbx-dev)

# The .deb of each named package in FOLDER, as chroot paths below /tmp/kbx-debs.
debs_of() {
  local package file
  for package in "$@"; do
    file="$(find "$folder" -maxdepth 1 -name "${package}_*.deb" -print -quit)"
    [ -n "$file" ] || { echo "FAILED: no ${package}_*.deb in $folder" >&2; exit 1; }
    echo "./tmp/kbx-debs/$(basename "$file")"
  done
}

command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fresh="${KBX_FRESH_ROOT:-$(mktemp -d /var/tmp/kbx-fresh.XXXXXX)}"
mirror="${KBX_FRESH_MIRROR:-http://deb.debian.org/debian}"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT

in_root() { chroot "$fresh" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
  DEBIAN_FRONTEND=noninteractive "$@"; }

# apt-get install in the scratch system, its output kept in a log shown on failure.
install_in_root() {
  local step="$1"
  shift
  in_root apt-get install -y -q --no-install-recommends "$@" >"$fresh/tmp/install-$step.log" 2>&1 ||
    { tail -30 "$fresh/tmp/install-$step.log" >&2; echo "FAILED: apt-get install ($step)" >&2; exit 1; }
}

echo "== a minimal Debian 12 in $fresh"
mkdir -p "$fresh"
[ -x "$fresh/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$fresh.log" 2>&1 ||
  { tail -20 "$fresh.log" >&2; exit 1; }
for fs in proc sys dev; do
  mount --bind "/$fs" "$fresh/$fs"
  mounted+=("$fresh/$fs")
done
cp /etc/resolv.conf "$fresh/etc/resolv.conf"
rm -rf "$fresh/tmp/kbx-debs"
mkdir -p "$fresh/tmp/kbx-debs"
cp "$folder"/*.deb "$fresh/tmp/kbx-debs/"

# A system used before goes back to one without kbx and what it brought.
leftovers="$(in_root dpkg-query -W -f '${Package}\n' "${runtime_packages[@]}" "${program_packages[@]}" \
  "${development_packages[@]}" 2>/dev/null || true)"
if [ -n "$leftovers" ]; then
  # shellcheck disable=SC2086
  in_root apt-get purge -y -q --autoremove $leftovers >"$fresh/tmp/purge.log" 2>&1 ||
    { tail -20 "$fresh/tmp/purge.log" >&2; exit 1; }
fi
in_root apt-get update -q >"$fresh/tmp/update.log" 2>&1 || { tail -20 "$fresh/tmp/update.log" >&2; exit 1; }

echo "== the runtime libraries alone: ${runtime_packages[*]}"
mapfile -t debs < <(debs_of "${runtime_packages[@]}")
install_in_root libraries "${debs[@]}"
# Installed packages only ("ii"), not ones dpkg merely remembers.
qt="$(in_root dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | grep -i qt || true)"
[ -z "$qt" ] || { echo "FAILED: the runtime libraries brought Qt: $qt" >&2; exit 1; }

echo "== the programs: ${program_packages[*]}"
mapfile -t debs < <(debs_of "${program_packages[@]}")
install_in_root programs "${debs[@]}"
# Each program once as a user would run it; the editor draws one picture of
# itself on the offscreen platform.
in_root /bin/sh -eu -c '
  cd /tmp
  for program in kbx32 kbxsim kbxdump kbxlayout kbxpos key; do "$program" --help >/dev/null; done
  key --version | grep -q "^key 1\."
  cp /usr/share/kbx/examples/bakery.kbf .
  kbx32 bakery.kbf COMP >/dev/null
  kbxdump bakery.kbx | grep -q "\"Vyrn\""
  kbxlayout new --template Gorm new.kbf | grep -q "from the template /usr/share/kbx/LAY/"
  kbxlayout show new.kbf | grep -q "^Model:"
  QT_QPA_PLATFORM=offscreen KEY_LANG=en key --screenshots /tmp/pictures new.kbf >/dev/null 2>&1
  test -f /tmp/pictures/main_window.png
  for page in kbx32 kbxsim kbxdump kbxlayout kbxpos key; do test -f /usr/share/man/man1/$page.1.gz; done
  test -f /usr/share/doc/key/copyright
  test -f /usr/share/doc/kbx-tools/changelog.gz
' || { echo "FAILED: the installed programs" >&2; exit 1; }
# The layout type reaches the desktop's database through the trigger of
# shared-mime-info, when that is installed (the editor does not need it).
if [ -x "$fresh/usr/bin/update-mime-database" ]; then
  grep -q 'x-kbx-layout' "$fresh/usr/share/mime/types" ||
    { echo "FAILED: application/x-kbx-layout not in the mime database" >&2; exit 1; }
fi

echo "== the development files: ${development_packages[*]}"
mapfile -t debs < <(debs_of "${development_packages[@]}")
install_in_root development "${debs[@]}"
in_root /bin/sh -eu -c '
  # Every link name and pkg-config file of the five libraries, each link
  # leading to an installed library.
  links=$(dpkg -L libkbx-dev | grep "/lib[a-z0-9]*\.so$")
  test "$(echo "$links" | wc -l)" -eq 5
  for link in $links; do test -e "$link"; done
  test "$(dpkg -L libkbx-dev | grep -c "/pkgconfig/kbx[a-z0-9]*\.pc$")" -eq 5
  test -f /usr/include/kbx/kbxi32.h
' || { echo "FAILED: the installed development files" >&2; exit 1; }

echo "== the packages install and run on a fresh Debian 12 ($fresh)"
