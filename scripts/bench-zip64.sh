#!/usr/bin/env bash
# A KMZ whose document passes 4 GiB, the size where ZIP needs its Zip64 fields: converted, then
# read back by unzip, by Python's zipfile and by GDAL. Takes minutes and a few GB of disk, so it
# is not part of `make test`. Argument: the release build directory.
set -euo pipefail
build=${1:-build/release}
work=${BENCH_DIR:-build/bench}
mkdir -p "$work"
work=$(cd "$work" && pwd)
scripts/install-deps.sh time unzip python3 gdal-bin python3-gdal >/dev/null

log="$work/zip64.nmea"
kmz="$work/zip64.kmz"
# About 2200 bytes of document an epoch: two million epochs make some 4.4 GB.
[ -s "$log" ] || "$build/tools/generate_nmea_log" --epochs 2000000 "$log"
echo "== log: $log ($(stat -c %s "$log") bytes)"
/usr/bin/time -f '  trackmint: %e s, peak %M KB' "$build/src/app/trackmint" "$log" "$kmz"
echo "  KMZ: $(stat -c %s "$kmz") bytes"

member=$(unzip -Z1 "$kmz" | head -n 1)
echo "== unzip"
unzip -Zv "$kmz" "$member" | grep -E 'offset of local header|minimum software version|compressed size|uncompressed size' | sed 's/^ */  /'
unzip -tqq "$kmz" && echo "  unzip -t: no errors"

echo "== Python's zipfile"
python3 - "$kmz" "$member" <<'PYTHON'
import sys, zipfile
kmz, member = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(kmz) as z:
    info = z.getinfo(member)
    print(f"  {member}: {info.file_size} bytes, {info.compress_size} packed, "
          f"more than 4 GiB: {info.file_size >= 2**32}")
    assert info.file_size >= 2**32
    bad = z.testzip()  # inflates every member and checks its CRC
    assert bad is None, bad
    with z.open(member) as document:
        document.seek(info.file_size - 6)
        assert document.read() == b"</kml>"
    print(f"  testzip: every CRC right; members {[i.filename for i in z.infolist()]}")
PYTHON

echo "== GDAL"
# Debian's own Python, which the GDAL bindings are installed for.
/usr/bin/python3 - "$kmz" "$member" <<'PYTHON'
import sys
from osgeo import gdal
kmz, member = sys.argv[1], sys.argv[2]
path = f"/vsizip/{kmz}/{member}"
size = gdal.VSIStatL(path).size
print(f"  /vsizip/ sees {member} of {size} bytes")
assert size >= 2**32
handle = gdal.VSIFOpenL(path, "rb")
gdal.VSIFSeekL(handle, size - 6, 0)
tail = gdal.VSIFReadL(1, 6, handle)
gdal.VSIFCloseL(handle)
assert tail == b"</kml>", tail
for name in gdal.ReadDir(f"/vsizip/{kmz}"):
    if name.endswith(".png"):
        icon = f"/vsizip/{kmz}/{name}"
        handle = gdal.VSIFOpenL(icon, "rb")
        head = gdal.VSIFReadL(1, 8, handle)
        gdal.VSIFCloseL(handle)
        assert head == b"\x89PNG\r\n\x1a\n", name
print("  GDAL reads the document to its end and every icon behind it")
PYTHON
rm -f "$kmz"
