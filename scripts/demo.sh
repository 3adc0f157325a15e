#!/usr/bin/env bash
# Converts the bundled sample log and says where the KMZ is. Argument: the release build directory.
set -euo pipefail
build=${1:-build/release}
top=$(pwd)
mkdir -p build/demo
kmz="$top/build/demo/sample.kmz"
result=$("$build/src/app/trackmint" "$top/samples/sample.nmea" "$kmz")
echo "Converted samples/sample.nmea"
echo "  KMZ:        $kmz"
echo "  placemarks: ${result##*Waypoints }"
