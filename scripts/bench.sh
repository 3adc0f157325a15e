#!/usr/bin/env bash
# Generates a log of about 100 MB with the project's generator and runs the benchmarks on it.
# Argument: the release build directory.
set -euo pipefail
build=${1:-build/release}
work=${BENCH_DIR:-build/bench}
mkdir -p "$work"
log="$work/generated-100mb.nmea"
if [ ! -s "$log" ]; then
  "$build/tools/generate_nmea_log" --megabytes 100 "$log"
fi
echo "log: $log ($(stat -c %s "$log") bytes)"
"$build/bench/bench_input_phase" "$log"
