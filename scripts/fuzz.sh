#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS seconds, one after the other, or
# only the one named. Everything a run writes stays under build/: the inputs it finds in
# build/fuzz-work/TARGET/corpus (the checked-in seeds are only read), crash, leak, timeout, oom
# and slow-unit files in build/fuzz-work/TARGET/artifacts, the fuzzer's output in
# build/logs/fuzz-TARGET.log. Usage: scripts/fuzz.sh SECONDS [epoch_list|settings]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh

seconds=${1:?usage: scripts/fuzz.sh SECONDS [epoch_list|settings]}
all_targets=(epoch_list settings)
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

# Seeds, dictionary and largest input of each target. A settings input may carry a value longer
# than the 2047 characters a read keeps.
fuzz_options() {
  case $1 in
    epoch_list) echo "fuzz/corpus -dict=fuzz/nmea.dict -max_len=4096" ;;
    settings) echo "fuzz/settings-corpus -dict=fuzz/settings.dict -max_len=8192" ;;
    *) return 1 ;;
  esac
}

binaries=()
for target in "${targets[@]}"; do
  if ! fuzz_options "$target" >/dev/null; then
    echo "No fuzz target \"$target\"; there are: ${all_targets[*]}" >&2
    exit 2
  fi
  binaries+=("fuzz_$target")
done

CC=clang CXX=clang++ scripts/build.sh fuzz "Building ${binaries[*]} with clang" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRACKMINT_FUZZ=ON -DTRACKMINT_BUILD_TESTS=OFF \
  -DTRACKMINT_BUILD_WINDOW=OFF -- "${binaries[@]}"

for target in "${targets[@]}"; do
  work=build/fuzz-work/$target
  log=build/logs/fuzz-$target.log
  mkdir -p "$work/corpus" "$work/artifacts"
  read -r -a options < <(fuzz_options "$target")
  # The first folder gets what the run finds; the seeds after it are only read.
  binary=build/fuzz/fuzz/fuzz_$target
  if ! run_logged "$log" "Fuzzing $target for $seconds s" \
    "$binary" "$work/corpus" "${options[@]}" \
    -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" -print_final_stats=1; then
    unit=$(sed -n 's/.*Test unit written to //p' "$log" | tail -n 1)
    [ -z "$unit" ] || echo "The input that shows it: $unit; to run it again: $binary $unit" >&2
    exit 1
  fi
  echo "  $(grep -m 1 -E '^Done [0-9]+ runs' "$log" || echo 'done');" \
    "$(find "$work/corpus" -type f | wc -l) inputs in $work/corpus"
done
