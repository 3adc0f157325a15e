#!/usr/bin/env bash
# Builds the Debian package build/kelvra-trackmint_<version>_<arch>.deb: the release tree (with
# the window, without sanitizers) is built, CPack packs what its install rules put in place, and
# the package is copied to build/. One line per step; CPack's output goes to
# build/logs/package.log. Needs dpkg-shlibdeps (dpkg-dev) and file: `make package` installs them.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh

JOBS=${JOBS:-$(nproc)} scripts/build.sh release "Building the program" \
  -DCMAKE_BUILD_TYPE=Release -DTRACKMINT_BUILD_TESTS=OFF -DTRACKMINT_BUILD_WINDOW=ON \
  -DTRACKMINT_SANITIZE=OFF

# A folder of its own, emptied first, so that the one .deb in it is the one just made.
packages=build/release/packages
make_package() {
  rm -rf "$packages" &&
    cpack --config build/release/CPackConfig.cmake -B "$packages"
}
run_logged build/logs/package.log "Making the Debian package" make_package

made=("$packages"/*.deb)
if [ "${#made[@]}" -ne 1 ] || [ ! -f "${made[0]}" ]; then
  echo "Failed: CPack should have made one .deb in $packages; see build/logs/package.log." >&2
  exit 1
fi
cp "${made[0]}" build/
echo "Package: build/$(basename "${made[0]}")"
