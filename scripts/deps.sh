#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the launcher need, each only when
# it is missing. Sourced by run.sh, test.sh and bench.sh.
set -euo pipefail

ZARN2_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libgl1-mesa-dev qt6-translations-l10n libqt6svg6
  libglib2.0-dev libglib2.0-bin
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick python3
  fonts-noto-cjk desktop-file-utils
  binutils-mingw-w64-x86-64
  dbus dbus-x11 xdg-utils
  e2fsprogs util-linux mount ntfs-3g passwd
  dpkg-dev lintian appstream openbox
  ccache syncthing libxss-dev libsqlite3-dev
  xjump
)

zarn2_install_deps() {
  local missing=()
  local pkg
  for pkg in "${ZARN2_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}
