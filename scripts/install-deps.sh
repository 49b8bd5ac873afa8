#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and CI need, but only those that are missing.
# This is the one place that names the packages.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev
  libvulkan-dev qt6-qpa-plugins fonts-dejavu-core
  libgif-dev libjpeg-dev
  xvfb xauth poppler-utils desktop-file-utils appstream
  cups cups-client cups-bsd printer-driver-cups-pdf xdg-utils
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
