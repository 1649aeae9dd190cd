#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into a temporary folder and checks it as
# Debian's own checker does, its control fields, its file list, that the
# program it carries starts, and that the program, its metainfo and its
# changelog give one version. Nothing is installed on the system.
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

# Everything Debian's policy checker reports as an error or a warning is a
# fault of the package; what it merely notes is shown, but passes.
echo "== lintian"
if ! lintian --fail-on error,warning --display-info "$deb"; then
    fail "lintian reports errors or warnings"
fi

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
# Libraries the program links (found by dpkg-shlibdeps; Qt SVG writes
# worksheets as SVG), Qt's Catalan texts, and the fonts its layouts are
# mapped onto.
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
    "usr/share/icons/hicolor/"{16x16,32x32,48x48,64x64,128x128,256x256}"/apps/$id.png" \
    usr/share/doc/ampera/copyright usr/share/doc/ampera/changelog.gz \
    usr/share/man/man1/ampera.1.gz; do
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

# lintian reads the copyright file as Debian's machine-readable format only
# when it says it is one.
root=$work/root
[ "$(head -1 "$root/usr/share/doc/ampera/copyright")" = \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "the copyright file is not in Debian's machine-readable format"

# One version: the package's, the program's, the newest changelog entry's
# and the newest release in the metainfo.
version=$(field Version)
program_version=$("$root/usr/bin/ampera" --version) || fail "ampera --version failed"
[ "$program_version" = "ampera $version" ] ||
    fail "ampera --version says '$program_version', the package is $version"
changelog_version=$(zcat "$root/usr/share/doc/ampera/changelog.gz" | sed -n '1s/^ampera (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's newest entry is '$changelog_version', the package is $version"
release_version=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root/usr/share/metainfo/$id.metainfo.xml" | head -1)
[ "$release_version" = "$version" ] ||
    fail "the metainfo's newest release is '$release_version', the package is $version"

# The manual page documents every option that --help lists.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$root/usr/share/man/man1/ampera.1.gz" 2>/dev/null)
for option in $("$root/usr/bin/ampera" --help | grep -o -E '^ +--[a-z]+'); do
    grep -q -e "$option" <<<"$manual" || fail "the manual page does not document $option"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package valid"
