#!/usr/bin/env bash
# Runs the tests of the tree build/NAME with ctest. The screen gets one line, and ctest's count
# when they pass; ctest's whole output goes to build/logs/test-NAME.log, and a failure shows the
# reports in it and the log's end (the list of the tests that failed). JOBS sets how many tests
# run at once (default: the number of cores).
# Usage: scripts/run-tests.sh NAME STEP [CTEST_OPTION...]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh

name=$1 step=$2
shift 2
log=build/logs/test-$name.log
run_logged "$log" "$step" \
  ctest --test-dir "build/$name" --output-on-failure --no-tests=error -j "${JOBS:-$(nproc)}" "$@"
echo "  $(grep -m 1 'tests passed' "$log")"
