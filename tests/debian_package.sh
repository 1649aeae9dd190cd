#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks its control
# fields, its file list, and that the program it carries starts. Nothing is
# installed on the system.
#
#   debian_package.sh CPACK BUILD_DIR APP_ID
set -euo pipefail
cpack=$1 build=$2 id=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
fi
debs=("$work"/ampera_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL: expected one ampera_*.deb, found: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

field() {
    dpkg-deb -f "$deb" "$1"
}

echo "== control"
dpkg-deb -f "$deb"
[ "$(field Package)" = ampera ] || fail "Package is not ampera"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is not this machine's"
[ -n "$(field Version)" ] || fail "no Version"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Section)" = education ] || fail "Section is not education"
[ -n "$(field Description)" ] || fail "no Description"

# Depends as one package name a line, without version constraints.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/^ *//; s/ *$//')
# Libraries the program links (found by dpkg-shlibdeps), the SVG plugins it
# loads for its window icon, Qt's Catalan texts, and the fonts its layouts
# are mapped onto.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 \
    qt6-translations-l10n fonts-liberation2 fonts-yanone-kaffeesatz; do
    grep -qx "$package" <<<"$depends" || fail "Depends lacks $package"
done
grep -q '(>= ' <<<"$(field Depends)" || fail "Depends carries no version from the shared libraries"

echo "== files"
files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
echo "$files"
for path in usr/bin/ampera \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/mime/packages/$id.xml" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "usr/share/icons/hicolor/"{16x16,32x32,48x48,64x64,128x128,256x256}"/apps/$id.png"; do
    grep -qx "./$path" <<<"$files" || fail "the package lacks /$path"
done
if grep -v -e '^\./$' -e '^\./usr/' <<<"$files"; then
    fail "the package installs outside /usr"
fi

# The packaged program, unpacked beside the package, must start and keep
# running until it is stopped.
dpkg-deb -x "$deb" "$work/root"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$work/root/usr/bin/ampera" >"$work/run.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    cat "$work/run.log"
    fail "the packaged program ended by itself with status $status instead of running until stopped"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package valid"
