#!/usr/bin/env bash
# Builds the Debian package: the installed build (Release, -DZARN2_INSTALLED=ON: the binary
# in /usr/bin, the user's files in ~/.local/share/Zarn2) with Debian's hardening flags, in
# build/package, packed by CPack. Prints the .deb's path as its last line.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
zarn2_install_deps

# The compiler and linker flags a Debian package build uses (dpkg-buildflags).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARN2_INSTALLED=ON -DZARN2_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
  "${launcher[@]}" >/dev/null
cmake --build "$build"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
debs=("$PWD/$build"/*.deb)
[ -f "${debs[0]}" ] || { echo "no package was made" >&2; exit 1; }
echo "${debs[0]}"
