#!/usr/bin/env bash
# Converts the bundled sample log and says what came out. Argument: the release build directory.
set -euo pipefail
build=${1:-build/release}
"$build/tools/epoch_summary" samples/sample.nmea
