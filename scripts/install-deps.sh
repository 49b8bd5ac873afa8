#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and CI need, but only those that are missing.
# This is the one place that names the packages.
#   install-deps.sh              the build and the tests, without the packages they recommend
#   install-deps.sh fuzz         the clang of the fuzz targets with its sanitizer runtime, as the release has them
#   install-deps.sh deb          the packaging tools of `make deb`
#   install-deps.sh desktop      what a desktop user's machine adds: the packages Qt's libraries recommend
#                                (with their own recommendations) and common desktop tools
#   install-deps.sh no-desktop   removes those of the desktop packages that nothing else installed needs,
#                                and names the ones left, so a test run says what it ran on
set -euo pipefail

# ccache: the Makefile and scripts/fuzz.sh compile through it, so the package, sanitizer and later builds
# reuse what an earlier build of the same sources compiled.
build=(
  cmake make g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev libxkbcommon-dev
  libvulkan-dev qt6-qpa-plugins fonts-dejavu-core
  libgif-dev libjpeg-dev
  xvfb xauth poppler-utils desktop-file-utils appstream shared-mime-info gtk-update-icon-cache
  cups cups-client cups-bsd printer-driver-cups-pdf xdg-utils
)
desktop=(
  qt6-gtk-platformtheme qt6-translations-l10n libqt6sql6-sqlite mesa-vulkan-drivers
  xdotool xclip x11-utils imagemagick valgrind
)
deb=(dpkg-dev lintian fakeroot)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
apt_get() { $sudo env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
# apt-cache knows nothing before the first update on a fresh machine.
known() { [ -n "$(apt-cache show --no-all-versions "$1" 2>/dev/null)" ]; }

# install [--with-recommends] PACKAGE...: installs those that are missing.
install() {
  local recommends=--no-install-recommends
  [ "$1" = --with-recommends ] && { recommends=; shift; }
  local missing=()
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  apt_get update -q
  apt_get install -y -q $recommends "${missing[@]}"
}

# The sanitizer and fuzzer runtime of the release's clang: libclang-rt-N-dev from clang 14 on, part of
# libclang-common-N-dev before.
fuzz_packages() {
  known clang || apt_get update -q >&2
  local version
  version=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9][0-9]*\)$/\1/p' | head -1)
  [ -n "$version" ] || { echo "install-deps.sh: the release has no clang package" >&2; exit 1; }
  if known "libclang-rt-$version-dev"; then
    echo "clang libclang-rt-$version-dev"
  else
    echo "clang libclang-common-$version-dev"
  fi
}

remove_desktop() {
  local removable=() kept=()
  for p in "${desktop[@]}"; do
    installed "$p" || continue
    # Removed only when nothing else goes with it.
    if [ "$(apt-get -s remove "$p" 2>/dev/null | grep -c '^Remv')" -eq 1 ]; then
      removable+=("$p")
    else
      kept+=("$p")
    fi
  done
  [ ${#removable[@]} -gt 0 ] && { echo "Removing: ${removable[*]}"; apt_get remove -y -q "${removable[@]}"; }
  if [ ${#kept[@]} -gt 0 ]; then
    echo "Kept, as other installed packages need them: ${kept[*]}"
  fi
}

case "${1:-build}" in
  build) install "${build[@]}" ;;
  fuzz) read -r -a packages <<<"$(fuzz_packages)"; install "${packages[@]}" ;;
  deb) install "${deb[@]}" ;;
  desktop) install --with-recommends "${desktop[@]}" ;;
  no-desktop) remove_desktop ;;
  *) echo "usage: install-deps.sh [build|fuzz|deb|desktop|no-desktop]" >&2; exit 2 ;;
esac
