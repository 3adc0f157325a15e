#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing, and those a
# caller names as arguments (`make fuzz` adds clang and its runtime).
# Safe to run again and again: with everything present it only checks and prints nothing.
# What apt-get and locale-gen say goes to build/logs/install-deps.log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh
log=build/logs/install-deps.log

packages=(
  cmake make g++ pkg-config
  zlib1g-dev libpng-dev libcairo2-dev
  libbz2-dev liblzma-dev libzstd-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev
  libxml2-dev nlohmann-json3-dev unzip locales
  gzip bzip2 xz-utils zstd
)
# Extra packages a caller asks for, e.g. the fuzzer's compiler or the benchmark's time.
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# A fresh machine may have no package lists yet: update them when the first try fails.
install_missing() {
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get install -y --no-install-recommends "${missing[@]}" || {
    as_root apt-get update &&
      as_root apt-get install -y --no-install-recommends "${missing[@]}"
  }
}

if [ "${#missing[@]}" -gt 0 ]; then
  run_logged "$log" "Installing: ${missing[*]}" install_missing
fi

# The writers are tested under a locale whose decimal separator is ",". Without root and without
# sudo it cannot be generated; its tests are then skipped, saying so, and this step only warns.
generate_locale() {
  as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen &&
    { grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
      echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen; } &&
    as_root locale-gen
}

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
    echo "Warning: the de_DE.UTF-8 locale is missing and cannot be generated without root or" \
      "sudo; the tests under a comma locale will be skipped." >&2
  else
    # Appended, so that the log keeps the installation that may have just run.
    run_logged --append "$log" "Generating the de_DE.UTF-8 locale" generate_locale ||
      echo "Warning: the de_DE.UTF-8 locale could not be generated; the tests under a comma" \
        "locale will be skipped." >&2
  fi
fi
