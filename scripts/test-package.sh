#!/usr/bin/env bash
# Builds the Debian package from a built tree, checks its file list, unpacks
# it into a scratch root and starts the installed programs from an empty
# folder: the converter converts, and the window comes up (offscreen), seeds
# a scratch per-user folder and converts 5R 5/10. Skips, saying why, where
# the Debian tools are missing.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

for tool in dpkg-deb dpkg-shlibdeps cpack; do
    if ! command -v "$tool" >/dev/null; then
        echo "Package test skipped: $tool is not installed."
        exit 0
    fi
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
}
version=$(sed -n 's/^project(Tintwise VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="$scratch/out/tintwise_${version}_amd64.deb"
[ -f "$deb" ] || { ls "$scratch/out"; echo "FAIL: no $deb"; exit 1; }

fail=0
check() { echo "FAIL: $*"; fail=1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for want in ./usr/bin/tintwise ./usr/bin/tintwise-convert ./usr/bin/tintwise-instrument-sim \
    ./usr/share/tintwise/Muncie.dat ./usr/share/tintwise/ccnames.csv ./usr/share/tintwise/README.md \
    ./usr/share/applications/org.tintwise.Tintwise.desktop \
    ./usr/share/metainfo/org.tintwise.Tintwise.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/org.tintwise.Tintwise.png \
    ./usr/share/icons/hicolor/256x256/apps/org.tintwise.Tintwise.png \
    ./usr/share/icons/hicolor/scalable/apps/org.tintwise.Tintwise.svg \
    ./usr/share/man/man1/tintwise.1 ./usr/share/man/man1/tintwise-instrument-sim.1 \
    ./usr/share/doc/tintwise/LICENSE; do
    grep -qx "$want" <<<"$files" || check "the package lacks $want"
done
if [ -f data/TestImage.jpg ]; then
    grep -qx ./usr/share/tintwise/TestImage.jpg <<<"$files" || check "the package lacks TestImage.jpg"
fi
if [ -f app/tintwise-convert.1 ]; then
    grep -qx ./usr/share/man/man1/tintwise-convert.1 <<<"$files" || check "no tintwise-convert.1"
fi
if grep -E '^\./usr/(bin|share/tintwise)/.*(test|bench)' <<<"$files"; then
    check "tests or benchmarks are packaged"
fi
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || check "Depends does not name Qt Widgets: $depends"

dpkg -x "$deb" "$scratch/root"
mkdir -p "$scratch/empty" "$scratch/xdg"
cd "$scratch/empty"
out=$(echo "5R 5/10" | "$scratch/root/usr/bin/tintwise-convert" to-xyz) \
    || check "the installed converter failed"
[ "$(cut -d' ' -f1-3 <<<"$out")" = "29.0765 19.7661 12.4097" ] || check "converter printed: $out"

start=$(env XDG_DATA_HOME="$scratch/xdg" QT_QPA_PLATFORM=offscreen \
    "$scratch/root/usr/bin/tintwise" --check 2>"$scratch/start.log") \
    || { cat "$scratch/start.log"; check "the installed program did not start"; }
grep -qx "working folder: $scratch/xdg/tintwise" <<<"$start" || check "working folder: $start"
grep -qx "seeded: Muncie.dat" <<<"$start" || check "Muncie.dat was not seeded: $start"
grep -qx "Munsell: 5R 5 10" <<<"$start" || check "design colour: $start"
grep -qx "XYZ: 29.08 19.77 12.41" <<<"$start" || check "5R 5/10 converted as: $start"
[ -f "$scratch/xdg/tintwise/ccnames.csv" ] || check "ccnames.csv was not seeded"
[ -z "$(ls -A "$scratch/empty")" ] || check "the start folder was written to"

if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net \
        "$scratch/root/usr/share/metainfo/org.tintwise.Tintwise.metainfo.xml" >/dev/null \
        || check "appstreamcli rejects the metadata"
fi

[ "$fail" -eq 0 ] && echo "Package test passed: $(basename "$deb")"
exit "$fail"
