#!/usr/bin/env bash
# Converts the bundled sample log and says where the KMZ is, with the run's summary.
# Argument: the release build directory (default build/release); a relative name is taken from
# where it is started.
set -euo pipefail
build=${1:-}
[ -z "$build" ] || build=$(cd "$build" && pwd)
cd "$(dirname "$0")/.."
build=${build:-build/release}
top=$(pwd)
mkdir -p build/demo
kmz="$top/build/demo/sample.kmz"
summary="$top/build/demo/summary.txt"
result=$("$build/src/app/trackmint" "$top/samples/sample.nmea" "$kmz" 2>"$summary") || {
  cat "$summary" >&2
  exit 1
}
echo "Converted samples/sample.nmea"
echo "  KMZ:        $kmz"
echo "  placemarks: ${result##*Waypoints }"
sed 's/^/  /' "$summary"
