#!/usr/bin/env bash
# Builds the Debian package from a built tree with dpkg-buildpackage (the
# tree is packaged as it is, not built again: see debian/rules), checks it
# with Debian's own tools - lintian --pedantic, desktop-file-validate,
# appstreamcli validate --pedantic, mandoc -T lint and groff -ww - and checks
# its file list, unpacks it into a scratch root and starts the installed
# programs from an empty folder: the converter converts, the window comes up
# (offscreen), seeds a scratch per-user folder and converts 5R 5/10, and
# under Xvfb its window carries the icon and the class of its desktop entry.
#
#   scripts/test-package.sh [BUILD_DIR]      (default: build)
#
# The package, its debug symbols (-dbgsym), .buildinfo and .changes are left
# in BUILD_DIR/deb. Skips, saying why, where the Debian packaging tools are
# missing; fails, saying what to install, where a checker is missing.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The informational lintian tags the package keeps, and why (README.md,
# "Installing", says the same):
#   package-contains-documentation-outside-usr-share-doc: data/README.md,
#     the provenance of the shipped data, is installed beside them in
#     /usr/share/tintwise.
allowed_tags=(
    package-contains-documentation-outside-usr-share-doc
)

for tool in dpkg-buildpackage dpkg-deb dh; do
    if ! command -v "$tool" >/dev/null; then
        echo "Package test skipped: $tool is not installed (Debian's dpkg-dev and debhelper)."
        exit 0
    fi
done
for tool in lintian desktop-file-validate appstreamcli mandoc groff; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed; ./scripts/install-deps.sh installs it" \
            "(lintian desktop-file-utils appstream mandoc groff-base)."
        exit 1
    fi
done
[ -f "$build/CMakeCache.txt" ] || { echo "FAIL: $build is not a configured build tree"; exit 1; }
build=$(realpath --relative-to="$root" "$build")

version=$(dpkg-parsechangelog -S Version)
cmake_version=$(sed -n 's/^project(Tintwise VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ "$version" != "$cmake_version" ]; then
    echo "FAIL: debian/changelog is at $version, CMakeLists.txt at $cmake_version"
    exit 1
fi
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
out="$root/$build/deb"
rm -rf "$out"
mkdir -p "$out"
deb="$out/tintwise_${version}_${arch}.deb"
changes="$out/tintwise_${version}_${arch}.changes"

# dh configures the build tree again (for /usr, verbosely); the tree's own
# install folder and verbosity are put back afterwards.
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt" 2>/dev/null; }
kept_prefix=$(cache_value CMAKE_INSTALL_PREFIX)
kept_verbose=$(cache_value CMAKE_VERBOSE_MAKEFILE)

# -nc: the tree is not cleaned first; nocheck: ./test.sh has run the tests
# on this very tree.
jobs=$(nproc 2>/dev/null || echo 2)
if ! TW_BUILD_DIR="$build" TW_DEB_DIR="$out" \
    DEB_BUILD_OPTIONS="nocheck parallel=$jobs" \
    dpkg-buildpackage -b -nc -us -uc \
    --buildinfo-option="-u$out" --buildinfo-file="$out/tintwise_${version}_${arch}.buildinfo" \
    --changes-option="-u$out" --changes-file="$changes" >"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log"
    echo "FAIL: dpkg-buildpackage could not build the package (log: $out/build.log)"
    exit 1
fi
# What debhelper left in debian/, and nothing else: dh_clean would also
# delete every *.orig, *.rej and *~ file of the checkout.
rm -rf debian/tintwise debian/tintwise-dbgsym debian/.debhelper debian/files \
    debian/*.substvars debian/*.debhelper.log debian/debhelper-build-stamp
cmake -S . -B "$build" "-DCMAKE_INSTALL_PREFIX=${kept_prefix:-/usr/local}" \
    "-DCMAKE_VERBOSE_MAKEFILE=${kept_verbose:-OFF}" >/dev/null
[ -f "$deb" ] || { ls "$out"; echo "FAIL: no $deb"; exit 1; }

scratch=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail=0
check() { echo "FAIL: $*"; fail=1; }

# Debian's checker: nothing beyond the informational tags named above.
lintian --pedantic --display-info --fail-on none "$changes" >"$scratch/lintian.log" 2>&1 || true
while read -r line; do
    tag=$(awk '{ print $3 }' <<<"$line")
    case "$line" in
    [EW]:*) check "lintian: $line" ;;
    [IPX]:*)
        if [[ " ${allowed_tags[*]} " != *" $tag "* ]]; then
            check "lintian: $line"
        fi
        ;;
    esac
done < <(grep -E '^[EWIPX]: ' "$scratch/lintian.log" || true)
if grep -qvE '^([EWIPXNO]: |running with root privileges is not recommended!?$)' \
    "$scratch/lintian.log"; then
    cat "$scratch/lintian.log"
    check "lintian did not run cleanly"
fi

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for want in ./usr/bin/tintwise ./usr/bin/tintwise-convert ./usr/bin/tintwise-instrument-sim \
    ./usr/share/tintwise/Muncie.dat ./usr/share/tintwise/ccnames.csv ./usr/share/tintwise/README.md \
    ./usr/share/applications/org.tintwise.Tintwise.desktop \
    ./usr/share/metainfo/org.tintwise.Tintwise.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/org.tintwise.Tintwise.png \
    ./usr/share/icons/hicolor/256x256/apps/org.tintwise.Tintwise.png \
    ./usr/share/icons/hicolor/scalable/apps/org.tintwise.Tintwise.svg \
    ./usr/share/man/man1/tintwise.1.gz ./usr/share/man/man1/tintwise-instrument-sim.1.gz \
    ./usr/share/doc/tintwise/copyright ./usr/share/doc/tintwise/changelog.gz; do
    grep -qx "$want" <<<"$files" || check "the package lacks $want"
done
grep -qx ./usr/share/tintwise/TestImage.jpg <<<"$files" || check "the package lacks TestImage.jpg"
grep -qx ./usr/share/man/man1/tintwise-convert.1.gz <<<"$files" || check "no tintwise-convert.1.gz"
if grep -E '^\./usr/(bin|share/tintwise)/.*(test|bench)' <<<"$files"; then
    check "tests or benchmarks are packaged"
fi
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<<"$depends" || check "Depends does not name Qt Widgets: $depends"
ls "$out"/tintwise-dbgsym_"${version}"_"${arch}".*deb >/dev/null 2>&1 \
    || check "no debug symbols package beside the package"

dpkg -x "$deb" "$scratch/root"
installed="$scratch/root/usr/share"

desktop-file-validate "$installed/applications/org.tintwise.Tintwise.desktop" \
    || check "desktop-file-validate rejects the desktop entry"
appstreamcli validate --pedantic --no-net \
    "$installed/metainfo/org.tintwise.Tintwise.metainfo.xml" >"$scratch/appstream.log" 2>&1 \
    || { cat "$scratch/appstream.log"; check "appstreamcli rejects the metadata"; }

# Every man page lints clean, and its examples come out as they are typed:
# each line between .nf and .fi under EXAMPLES, its escapes undone, is a
# line of the formatted page.
for page in "$installed"/man/man1/*.1.gz; do
    name=$(basename "$page" .gz)
    zcat "$page" >"$scratch/$name"
    lint=$(mandoc -T lint -W style "$scratch/$name" 2>&1) || true
    [ -z "$lint" ] || check "mandoc -T lint on $name: $lint"
    warnings=$(LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z "$scratch/$name" 2>&1) || true
    [ -z "$warnings" ] || check "groff -ww on $name: $warnings"
    LC_ALL=C.UTF-8 groff -man -Tutf8 -P-cbou "$scratch/$name" 2>/dev/null \
        | sed 's/^ *//' >"$scratch/$name.txt"
    while IFS= read -r example; do
        grep -qxF -- "$example" "$scratch/$name.txt" \
            || check "$name shows the example line '$example' otherwise"
    done < <(sed -n '/^\.SH EXAMPLES/,/^\.SH/{/^\.nf/,/^\.fi/p}' "$scratch/$name" \
        | grep -v '^\.' | sed 's/\\e/\\/g; s/\\-/-/g')
done

mkdir -p "$scratch/empty" "$scratch/xdg"
cd "$scratch/empty"
out_line=$(echo "5R 5/10" | "$scratch/root/usr/bin/tintwise-convert" to-xyz) \
    || check "the installed converter failed"
# The converter, its import included, needs no display toolkit.
if ldd "$scratch/root/usr/bin/tintwise-convert" | grep -i qt; then
    check "the installed converter links a Qt library"
fi
[ "$(cut -d' ' -f1-3 <<<"$out_line")" = "29.0765 19.7661 12.4097" ] \
    || check "converter printed: $out_line"

start=$(env XDG_DATA_HOME="$scratch/xdg" QT_QPA_PLATFORM=offscreen \
    "$scratch/root/usr/bin/tintwise" --check 2>"$scratch/start.log") \
    || { cat "$scratch/start.log"; check "the installed program did not start"; }
grep -qx "working folder: $scratch/xdg/tintwise" <<<"$start" || check "working folder: $start"
grep -qx "seeded: Muncie.dat" <<<"$start" || check "Muncie.dat was not seeded: $start"
grep -qx "Munsell: 5R 5 10" <<<"$start" || check "design colour: $start"
grep -qx "XYZ: 29.08 19.77 12.41" <<<"$start" || check "5R 5/10 converted as: $start"
[ -f "$scratch/xdg/tintwise/ccnames.csv" ] || check "ccnames.csv was not seeded"

# On a real X display the window carries its icon (_NET_WM_ICON) and, as its
# WM_CLASS class, the StartupWMClass of the desktop entry.
if command -v Xvfb >/dev/null && command -v xwininfo >/dev/null && command -v xprop >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" \
        2>"$scratch/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -s "$scratch/display" ] && break
        sleep 0.1
    done
    display=":$(cat "$scratch/display")"
    env DISPLAY="$display" XDG_DATA_HOME="$scratch/xdg" QT_QPA_PLATFORM=xcb \
        "$scratch/root/usr/bin/tintwise" >"$scratch/x11.log" 2>&1 &
    program_pid=$!
    window=""
    for _ in $(seq 100); do
        window=$(DISPLAY="$display" xwininfo -root -tree 2>/dev/null \
            | awk '/"Tintwise .*Version/ { print $1; exit }')
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        cat "$scratch/x11.log"
        check "the installed program showed no window under Xvfb"
    else
        class=$(sed -n 's/^StartupWMClass=//p' "$installed/applications/org.tintwise.Tintwise.desktop")
        wm_class=$(DISPLAY="$display" xprop -id "$window" WM_CLASS)
        [[ "$wm_class" == *", \"$class\"" ]] \
            || check "the window's class is not the entry's StartupWMClass ($class): $wm_class"
        icon=$(DISPLAY="$display" xprop -len 10000000 -id "$window" _NET_WM_ICON \
            | grep -o 'Icon ([0-9]* x [0-9]*)' || true)
        grep -qx 'Icon (48 x 48)' <<<"$icon" && grep -qx 'Icon (256 x 256)' <<<"$icon" \
            || check "the window has no icon of 48 and 256 pixels: ${icon:-none}"
    fi
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
else
    echo "The X11 window check is skipped: Xvfb, xwininfo or xprop is not installed (xvfb, x11-utils)."
fi
[ -z "$(ls -A "$scratch/empty")" ] || check "the start folder was written to"

[ "$fail" -eq 0 ] && echo "Package test passed: $(basename "$deb") (in $out)"
exit "$fail"
