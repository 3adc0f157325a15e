#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the fuzzer need, only when missing.
# Safe to run again and again: with everything present it only checks and prints nothing.
# What apt-get and locale-gen say goes to build/logs/install-deps.log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh
log=build/logs/install-deps.log

packages=(
  cmake make g++ pkg-config
  zlib1g-dev libpng-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  libxml2-dev nlohmann-json3-dev unzip locales
)
# Extra packages a caller asks for, e.g. the benchmark's reference converter.
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

# The writers are tested under a locale whose decimal separator is ",".
generate_locale() {
  as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen &&
    { grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen ||
      echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen; } &&
    as_root locale-gen
}

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  # Appended, so that the log keeps the installation that may have just run.
  run_logged --append "$log" "Generating the de_DE.UTF-8 locale" generate_locale
fi
