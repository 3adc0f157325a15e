#!/usr/bin/env bash
# Checks the Debian package the way a user meets it: builds it, validates what it ships (the
# desktop entry, the AppStream metainfo, the manual page), installs it with apt-get, runs the
# installed program from another folder on the sample log, then purges it and looks for anything
# of it left behind. It installs a package, so it runs as root or through sudo, and it is not part
# of `make test`. Each step prints one line and what it found; what apt-get, CPack and lintian say
# in full goes to build/logs/check-package.log.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/log-lib.sh
top=$(pwd)
log=build/logs/check-package.log
package_name=kelvra-trackmint

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# A package of the same name that is already installed would hide what this one installs and
# leaves; it is the user's, so it is not touched.
if dpkg-query -W -f='${Status}' "$package_name" 2>/dev/null | grep -q 'install ok installed'; then
  fail "$package_name is already installed; remove it first (apt-get remove --purge $package_name)"
fi

scripts/install-deps.sh dpkg-dev file appstream desktop-file-utils man-db lintian \
  shared-mime-info xdg-utils libfile-mimeinfo-perl
JOBS=${JOBS:-$(nproc)} scripts/package.sh
mkdir -p build/logs
: >"$log"

# The name CPack gave must be Debian's: <package>_<version>_<architecture>.deb, with the version
# of the CMake project.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/release/CPackConfig.cmake)
architecture=$(dpkg --print-architecture)
deb=build/${package_name}_${version}_${architecture}.deb
echo "Checking $deb"
[ -n "$version" ] && [ -f "$deb" ] || fail "no package $deb"
fields="$(dpkg-deb -f "$deb" Package)_$(dpkg-deb -f "$deb" Version)_$(dpkg-deb -f "$deb" Architecture).deb"
[ "$fields" = "$(basename "$deb")" ] || fail "the control fields say $fields"
echo "  name: $(basename "$deb") matches its Package, Version and Architecture fields"

# The dependencies come from dpkg-shlibdeps; Qt Widgets among them shows the window is inside,
# and no sanitizer runtime shows it is not the test build.
depends=$(dpkg-deb -f "$deb" Depends)
echo "  Depends: $depends"
for library in libc6 libstdc++6 zlib1g libpng16-16 libcairo2 libqt6widgets6; do
  [[ ", $depends" == *", $library "* ]] || fail "Depends lacks $library"
done
[[ "$depends" != *libasan* && "$depends" != *libubsan* ]] || fail "the program is a sanitizer build"
[[ ", $depends," == *", fonts-dejavu-core,"* ]] || fail "Depends lacks fonts-dejavu-core"

# Everything the package is meant to hold, and nothing outside /usr.
work=$(mktemp -d /tmp/trackmint-package-check.XXXXXX)
installed=false
cleanup() {
  if $installed; then
    echo "Removing $package_name after a failed check" >&2
    as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y --purge "$package_name" >>"$log" 2>&1 || true
  fi
  cd / && rm -rf "$work"
}
trap cleanup EXIT

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
expected_files=(
  usr/bin/trackmint
  usr/share/applications/io.kelvra.Trackmint.desktop
  usr/share/icons/hicolor/scalable/apps/kelvra-trackmint.svg
  usr/share/icons/hicolor/48x48/apps/kelvra-trackmint.png
  usr/share/icons/hicolor/256x256/apps/kelvra-trackmint.png
  usr/share/man/man1/trackmint.1.gz
  usr/share/metainfo/io.kelvra.Trackmint.metainfo.xml
  usr/share/mime/packages/io.kelvra.Trackmint.xml
  usr/share/doc/kelvra-trackmint/copyright
  usr/share/doc/kelvra-trackmint/changelog.gz
)
for file in "${expected_files[@]}"; do
  [ -f "$unpacked/$file" ] || fail "the package lacks /$file"
done
shipped=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort)
[ "$shipped" = "$(printf '%s\n' "${expected_files[@]}" | sort)" ] ||
  fail "the package holds other files than expected:"$'\n'"$shipped"
echo "  contents: the program, the desktop entry, 3 icons, the manual page, the metainfo," \
  "the MIME types, copyright and changelog"
for size in 48 256; do
  file "$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/kelvra-trackmint.png" |
    grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon has another size"
done
echo "  icons: the PNGs are 48x48 and 256x256"

echo "Validating the desktop entry, the metainfo and the manual page"
desktop=$unpacked/usr/share/applications/io.kelvra.Trackmint.desktop
metainfo=$unpacked/usr/share/metainfo/io.kelvra.Trackmint.metainfo.xml
page=$unpacked/usr/share/man/man1/trackmint.1.gz
desktop_said=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $desktop_said"
[ -z "$desktop_said" ] || fail "desktop-file-validate has remarks: $desktop_said"
echo "  desktop-file-validate: no errors, warnings or hints"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/appstream.txt")"
echo "  appstreamcli validate --no-net: $(grep -v '^$' "$work/appstream.txt" | tail -n 1)"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
echo "  the metainfo's newest release is $version"
MANWIDTH=80 man --warnings -l "$page" >"$work/page.txt" 2>"$work/page-warnings.txt" ||
  fail "man -l: $(cat "$work/page-warnings.txt")"
[ ! -s "$work/page-warnings.txt" ] || fail "man --warnings: $(cat "$work/page-warnings.txt")"
grep -q "Kelvra Trackmint $version" "$work/page.txt" || fail "the manual page is not that of $version"
echo "  man --warnings -l: no warnings, $(wc -l <"$work/page.txt") lines; its beginning:"
head -n 12 "$work/page.txt" | sed 's/^/    | /'

echo "lintian (for information; it does not fail the check)"
lintian --display-info --pedantic "$deb" >"$work/lintian.txt" 2>&1 || true
cat "$work/lintian.txt" >>"$log"
tags=$(grep -E '^[EWIPX]: ' "$work/lintian.txt" || true)
if [ -n "$tags" ]; then
  echo "$tags" | sed 's/^/    /'
else
  echo "    no tags"
fi

# apt-get install of the file, as a user would: apt resolves its dependencies.
install_package() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "$top/$deb"
}
installed=true
run_logged --append "$log" "Installing $deb with apt-get" install_package
dpkg-query -W -f='${Status}' "$package_name" | grep -q 'install ok installed' ||
  fail "dpkg does not list $package_name as installed"
owned=$(dpkg -L "$package_name")

echo "Running the installed program from $work"
cp samples/sample.nmea "$work/"
cd "$work"
[ "$(command -v trackmint)" = /usr/bin/trackmint ] ||
  fail "trackmint runs as $(command -v trackmint || echo nothing), not /usr/bin/trackmint"
version_line=$(trackmint --version)
[ "$version_line" = "Kelvra Trackmint  v $version" ] || fail "trackmint --version says: $version_line"
echo "  trackmint --version: $version_line"
result=$(trackmint sample.nmea sample.kmz 2>"$work/convert-err.txt") ||
  fail "the conversion failed: $(cat "$work/convert-err.txt")"
[[ "$result" == "$work/sample.kmz: Waypoints "* ]] || fail "the conversion printed: $result"
echo "  trackmint sample.nmea sample.kmz: $result"
unzip -t sample.kmz >"$work/unzip.txt" 2>&1 || fail "unzip -t: $(cat "$work/unzip.txt")"
members=$(unzip -Z1 sample.kmz)
[ "$(grep -c '^sample\.kml$' <<<"$members")" -eq 1 ] || fail "the KMZ lacks sample.kml"
[ "$(grep -c '^[0-9]*\.png$' <<<"$members")" -eq 7 ] || fail "the KMZ lacks arrow icons"
echo "  unzip -t sample.kmz: $(tail -n 1 "$work/unzip.txt"); sample.kml and 7 icons"
# The window starts from the installed files (its Qt libraries and platform plugins) and runs
# until it is stopped; an empty settings folder keeps the user's settings out of it.
window_status=0
XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=offscreen timeout 5 trackmint \
  >"$work/window.txt" 2>&1 || window_status=$?
[ "$window_status" -eq 124 ] ||
  fail "the window ended with status $window_status: $(cat "$work/window.txt")"
echo "  the window (offscreen) started and ran until stopped"
page_path=$(man -w trackmint)
[ "$page_path" = /usr/share/man/man1/trackmint.1.gz ] || fail "man -w trackmint gives $page_path"
echo "  man -w trackmint: $page_path"
# The file manager's "Open with": the log's type is the one the desktop entry names.
log_type=$(xdg-mime query filetype "$work/sample.nmea")
[ "$log_type" = text/x-nmea ] || fail "xdg-mime query filetype sample.nmea gives $log_type"
gzip -c "$work/sample.nmea" >"$work/sample.nmea.gz"
gz_type=$(xdg-mime query filetype "$work/sample.nmea.gz")
[ "$gz_type" = application/x-nmea-gzip ] || fail "xdg-mime query filetype sample.nmea.gz gives $gz_type"
grep -q 'MimeType=text/x-nmea;application/x-nmea-gzip;' \
  /usr/share/applications/io.kelvra.Trackmint.desktop || fail "the desktop entry names no log type"
echo "  xdg-mime query filetype: sample.nmea is $log_type, sample.nmea.gz $gz_type"
cd "$top"

remove_package() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y --purge "$package_name"
}
run_logged --append "$log" "Removing $package_name with apt-get remove --purge" remove_package
installed=false
if dpkg-query -W -f='${Status}' "$package_name" 2>/dev/null | grep -q 'installed'; then
  fail "dpkg still lists $package_name"
fi
# Each file of the package must be gone; a folder it brought may stay only when another package
# owns it too, or when something else lives in it.
left=()
while IFS= read -r path; do
  [ "$path" = /. ] && continue
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    if [ -z "$(ls -A "$path")" ] && ! dpkg -S "$path" >/dev/null 2>&1; then left+=("$path/"); fi
  elif [ -e "$path" ] || [ -L "$path" ]; then
    left+=("$path")
  fi
done <<<"$owned"
[ "${#left[@]}" -eq 0 ] || fail "left behind: ${left[*]}"
echo "  nothing of the $(grep -c . <<<"$owned") paths the package had installed is left"
[ -z "$(command -v trackmint || true)" ] || fail "trackmint still runs as $(command -v trackmint)"
echo "The package passed every check."
