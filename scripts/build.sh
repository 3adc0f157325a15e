#!/usr/bin/env bash
# Configures and builds the tree build/NAME with CMake. The screen gets one line; the configure
# and compile output goes to build/logs/build-NAME.log, and a failure shows its errors and the
# log's end. JOBS sets the parallel jobs (default: the number of cores).
# Usage: scripts/build.sh NAME STEP [CMAKE_OPTION...] [-- TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh

name=$1 step=$2
shift 2
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  options+=("$1")
  shift
done
[ $# -gt 0 ] && shift
targets=()
for target in "$@"; do targets+=(--target "$target"); done

configure_and_build() {
  cmake -S . -B "build/$name" "${options[@]}" &&
    cmake --build "build/$name" -j "${JOBS:-$(nproc)}" "${targets[@]}"
}

run_logged "build/logs/build-$name.log" "$step" configure_and_build
