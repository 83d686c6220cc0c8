#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, when any
# of them is missing. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libevdev-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools linguist-qt6 libgl-dev
  fonts-liberation xvfb xauth
  dpkg-dev file binutils
  debhelper lintian devscripts desktop-file-utils debootstrap
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  runner=()
  if [ "$(id -u)" -ne 0 ]; then runner=(sudo); fi
  "${runner[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${runner[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
