#!/usr/bin/env bash
# Speed and memory of the conversion, measured, never asserted. For a generated log of about
# 100 MB, the same log gzipped, and one of a million epochs: wall time and peak memory of
# trackmint (best of three), bytes per epoch, the KMZ's document member against gzip -6 of the
# same document, and the whole conversion against `gzip -6 -c DOC > /dev/null` timed in the same
# run. Then the parse (of the plain and the gzipped log) and deflate figures on their own, and the
# time to draw the picture of 100,000 and 1,000,000 epochs.
# Argument: the release build directory (default build/release). BENCH_DIR names the folder for
# the generated logs (default build/bench). Relative names are taken from where it is started.
set -euo pipefail
build=${1:-}
work=${BENCH_DIR:-}
[ -z "$build" ] || build=$(cd "$build" && pwd)
[ -z "$work" ] || work=$(mkdir -p "$work" && cd "$work" && pwd)
cd "$(dirname "$0")/.."
build=${build:-build/release}
work=${work:-$(mkdir -p build/bench && cd build/bench && pwd)}
scripts/install-deps.sh time >/dev/null

# The best of three runs of a command: "seconds peak_kilobytes". The last run's standard output
# stays in $work/stdout.txt.
best_of_three() {
  local best_time=999999 best_rss=0 seconds rss_kb
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$work/time.txt" "$@" >"$work/stdout.txt" 2>"$work/stderr.txt" || {
      cat "$work/stderr.txt" >&2; return 1; }
    read -r seconds rss_kb < "$work/time.txt"
    if awk "BEGIN{exit !($seconds < $best_time)}"; then best_time=$seconds; best_rss=$rss_kb; fi
  done
  echo "$best_time $best_rss"
}

measure_log() {
  local label=$1 log=$2
  local kmz="$work/$label.kmz" doc="$work/$label.kml"
  echo "== $label: $log ($(stat -c %s "$log") bytes)"
  read -r seconds rss_kb < <(best_of_three "$build/src/app/trackmint" --json "$log" "$kmz")
  # The epochs the run read, from its summary; the log's paths come before them as JSON strings,
  # where a quote is escaped, so the key cannot be matched inside them.
  local epochs
  epochs=$(sed -n 's/.*"epochs":\([0-9]*\).*/\1/p' "$work/stdout.txt")
  if [ -z "$epochs" ] || [ "$epochs" -eq 0 ]; then
    echo "no epochs in the run's summary: $(cat "$work/stdout.txt")" >&2
    return 1
  fi
  local member
  member=$(unzip -Z1 "$kmz" | head -n 1)
  unzip -p "$kmz" "$member" > "$doc"
  local placemarks doc_bytes packed gzip_bytes
  placemarks=$(grep -c '<Point>' "$doc" || true)
  doc_bytes=$(stat -c %s "$doc")
  packed=$(unzip -Zl "$kmz" "$member" | awk '{print $6}')
  read -r gzip_seconds _ < <(best_of_three sh -c "gzip -6 -c '$doc' > /dev/null")
  gzip_bytes=$(gzip -6 -c "$doc" | wc -c)
  "$build/tools/epoch_summary" "$log" | head -n 1
  printf '  trackmint:        %7.2f s   peak %6.1f MB   %d epochs, %d placemarks\n' "$seconds" \
    "$(awk "BEGIN{print $rss_kb/1024}")" "$epochs" "$placemarks"
  printf '  document:         %d bytes; packed %d bytes, gzip -6 %d bytes (%+.2f %%)\n' \
    "$doc_bytes" "$packed" "$gzip_bytes" "$(awk "BEGIN{print 100*($packed/$gzip_bytes-1)}")"
  printf '  gzip -6 -c DOC:   %7.2f s   trackmint / gzip -6 = %.2f\n' "$gzip_seconds" \
    "$(awk "BEGIN{print $seconds/$gzip_seconds}")"
  echo "$rss_kb $epochs" > "$work/$label.memory"
  rm -f "$doc"
}

log100="$work/generated-100mb.nmea"
[ -s "$log100" ] || "$build/tools/generate_nmea_log" --megabytes 100 "$log100"
log100gz="$work/generated-100mb.nmea.gz"
[ -s "$log100gz" ] && [ "$log100gz" -nt "$log100" ] || gzip -6 -n -c "$log100" > "$log100gz"
log1m="$work/generated-1m-epochs.nmea"
[ -s "$log1m" ] || "$build/tools/generate_nmea_log" --epochs 1000000 "$log1m"

measure_log generated-100mb "$log100"
measure_log generated-100mb-gzip "$log100gz"
measure_log generated-1m-epochs "$log1m"
read -r rss_kb epochs < "$work/generated-1m-epochs.memory"
printf '  peak memory per epoch at %d epochs: %.0f bytes\n' "$epochs" \
  "$(awk "BEGIN{print $rss_kb*1024/$epochs}")"

# What the picture of the run adds to a million epochs: the whole run with and without it.
echo "== a million epochs with --preview"
read -r seconds_plain rss_plain < <(best_of_three "$build/src/app/trackmint" -q "$log1m" \
  "$work/plain.kmz")
read -r seconds_preview rss_preview < <(best_of_three "$build/src/app/trackmint" -q --preview \
  "$work/preview.png" "$log1m" "$work/preview.kmz")
printf '  without: %6.2f s, peak %6.1f MB; with --preview: %6.2f s, peak %6.1f MB\n' \
  "$seconds_plain" "$(awk "BEGIN{print $rss_plain/1024}")" "$seconds_preview" \
  "$(awk "BEGIN{print $rss_preview/1024}")"
rm -f "$work/plain.kmz" "$work/preview.kmz" "$work/preview.png"

# An hour of a 10 Hz receiver, as a globe gets it with every arrow and with one each 10 s.
log10hz="$work/generated-hour-10hz.nmea"
[ -s "$log10hz" ] || "$build/tools/generate_nmea_log" --epochs 36000 --hertz 10 "$log10hz"
echo "== an hour at 10 Hz: $log10hz ($(stat -c %s "$log10hz") bytes)"
for interval in 0 10; do
  kmz="$work/hour-$interval.kmz"
  read -r seconds rss_kb < <(best_of_three "$build/src/app/trackmint" -q --interval "$interval" \
    "$log10hz" "$kmz")
  member=$(unzip -Z1 "$kmz" | head -n 1)
  kml_bytes=$(unzip -p "$kmz" "$member" | wc -c)
  placemarks=$(unzip -p "$kmz" "$member" | grep -c '<Point>' || true)
  printf '  --interval %-3s %6d placemarks   KML %10d bytes   KMZ %9d bytes   %5.2f s   peak %5.1f MB\n' \
    "$interval" "$placemarks" "$kml_bytes" "$(stat -c %s "$kmz")" "$seconds" \
    "$(awk "BEGIN{print $rss_kb/1024}")"
done

echo "== the parts alone"
"$build/bench/bench_input_phase" "$log100"
"$build/bench/bench_input_phase" "$log100gz"
"$build/src/app/trackmint" "$log100" "$work/parts.kmz" >/dev/null
unzip -p "$work/parts.kmz" "$(unzip -Z1 "$work/parts.kmz" | head -n 1)" > "$work/parts.kml"
"$build/bench/bench_deflate" "$work/parts.kml"
"$build/bench/bench_picture"
rm -f "$work/parts.kml" "$work/parts.kmz" "$work"/*.kmz "$work/stdout.txt"
