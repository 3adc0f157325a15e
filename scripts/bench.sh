#!/usr/bin/env bash
# Generates a log of about 100 MB with the project's generator and measures each phase and the
# whole conversion, next to gpsbabel's NMEA-to-KML conversion of the same log.
# Argument: the release build directory.
set -euo pipefail
build=${1:-build/release}
work=${BENCH_DIR:-build/bench}
mkdir -p "$work"
work=$(cd "$work" && pwd)
log="$work/generated-100mb.nmea"
if [ ! -s "$log" ]; then
  "$build/tools/generate_nmea_log" --megabytes 100 "$log"
fi
echo "== log: $log ($(stat -c %s "$log") bytes)"

echo "== input phase"
"$build/bench/bench_input_phase" "$log"
echo "== output phase"
"$build/bench/bench_output_phase" "$log" 3 "$work/document.kml"
echo "== archive phase (the document of the log, against gzip -6)"
"$build/bench/bench_archive" "$work/document.kml" "$work"

# Wall time and peak memory of whole conversions, best of three.
measure() {
  local label=$1; shift
  local best_time=999999 best_rss=0
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >/dev/null 2>"$work/stderr.txt" || {
      cat "$work/stderr.txt"; return 1; }
    read -r seconds rss_kb < "$work/time.txt"
    if awk "BEGIN{exit !($seconds < $best_time)}"; then best_time=$seconds; best_rss=$rss_kb; fi
  done
  printf '%-10s %6.2f s  peak %6.0f MB\n' "$label" "$best_time" "$(awk "BEGIN{print $best_rss/1024}")"
  echo "$best_time" > "$work/$label.seconds"
}

echo "== whole conversion"
scripts/install-deps.sh gpsbabel time >/dev/null
measure trackmint "$build/src/app/trackmint" "$log" "$work/generated.kmz"
measure gpsbabel gpsbabel -i nmea -f "$log" -o kml -F "$work/gpsbabel.kml"
unzip -p "$work/generated.kmz" generated.kml > "$work/generated.kml"
printf 'trackmint: %d placemarks, KML %d bytes packed into a KMZ of %d bytes\n' \
  "$(grep -c '<Placemark' "$work/generated.kml")" "$(stat -c %s "$work/generated.kml")" "$(stat -c %s "$work/generated.kmz")"
printf 'gpsbabel:  %d placemarks, KML %d bytes\n' \
  "$(grep -c '<Placemark' "$work/gpsbabel.kml")" "$(stat -c %s "$work/gpsbabel.kml")"
awk -v a="$(cat "$work/trackmint.seconds")" -v b="$(cat "$work/gpsbabel.seconds")" \
  'BEGIN{printf "trackmint / gpsbabel time: %.2f\n", a/b}'
rm -f "$work/generated.kml" "$work/document.kml"
