#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a desktop and a
# software centre read there: every file in its place, the menu entry and the
# software-centre description valid, and the names that tie them together.
#
#   desktop_install.sh CMAKE BUILD_DIR APP_ID SCREENSHOTS_DIR
set -euo pipefail
cmake=$1 build=$2 id=$3 screenshots=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The value of KEY in the [Desktop Entry] group of a desktop file.
desktop_key() {
    sed -n '/^\[Desktop Entry\]$/,/^\[/p' "$1" | sed -n "s/^$2=//p"
}

# Width and height of a PNG, from its header.
png_size() {
    local bytes
    read -r -a bytes < <(od -An -tu1 -v -N24 "$1" | tr -s " \n" "  ")
    [ "${bytes[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || return 1
    echo "$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))x$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))"
}

share=$prefix/share
desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml

[ -x "$prefix/bin/ampera" ] || fail "bin/ampera missing or not executable"
# The build's own tools (the picture generator, the icon renderer) stay in
# the build tree.
[ "$(ls "$prefix/bin")" = ampera ] || fail "bin/ holds more than the program: $(ls "$prefix/bin")"
[ -f "$desktop" ] || fail "${desktop#"$prefix"/} missing"
[ -f "$metainfo" ] || fail "${metainfo#"$prefix"/} missing"

svg=$share/icons/hicolor/scalable/apps/$id.svg
if [ -f "$svg" ]; then
    grep -q '<svg' "$svg" || fail "the scalable icon is not an SVG"
else
    fail "${svg#"$prefix"/} missing"
fi
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    if [ ! -f "$png" ]; then
        fail "${png#"$prefix"/} missing"
    elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
        fail "${png#"$prefix"/} is not a ${size}x${size} PNG"
    fi
done

if [ -f "$desktop" ]; then
    report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
    if grep -E 'error|warning' <<<"$report"; then
        fail "desktop-file-validate reported problems"
    fi
    [ "$(desktop_key "$desktop" Icon)" = "$id" ] || fail "Icon= does not name the installed icon $id"
    exec_name=$(desktop_key "$desktop" Exec)
    [ -x "$prefix/bin/${exec_name%% *}" ] || fail "Exec= names no installed program: $exec_name"
    # On X11 the window's class is the program's file name.
    [ "$(desktop_key "$desktop" StartupWMClass)" = "${exec_name%% *}" ] ||
        fail "StartupWMClass= is not the program's name"
    [ "$(desktop_key "$desktop" Name)" = "Ampera" ] || fail "Name= is not Ampera"
    [ -n "$(desktop_key "$desktop" Comment)" ] || fail "Comment= is empty"
    grep -q '^Categories=.*Education;' "$desktop" || fail "Categories= lacks Education"
fi

if [ -f "$metainfo" ]; then
    # Both the file alone and the installed tree around it, which also
    # checks that the launchable names a desktop file that is there.
    appstreamcli validate --no-net --no-color "$metainfo" || fail "appstreamcli validate"
    appstreamcli validate-tree --no-net --no-color "$prefix" || fail "appstreamcli validate-tree"
    grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the launchable does not name $id.desktop"
    grep -q '<summary xml:lang="ca">' "$metainfo" || fail "no Catalan summary"
    # The screenshots are published from docs/screenshots: each one named
    # must be there, at the size the metainfo gives.
    shots=$(sed -n 's|.*<image[^>]* width="\([0-9]*\)" height="\([0-9]*\)">[^<]*/\([^/<]*\)</image>.*|\3 \1x\2|p' "$metainfo")
    [ -n "$shots" ] || fail "no screenshots"
    while read -r shot size; do
        if [ ! -f "$screenshots/$shot" ]; then
            fail "screenshot $shot is not in docs/screenshots"
        elif [ "$(png_size "$screenshots/$shot")" != "$size" ]; then
            fail "screenshot $shot is not $size"
        fi
    done <<<"$shots"
fi

# The wiring files' type: declared once, named alike by the menu entry and
# the software-centre description, and compiled as desktops compile it.
type=application/x-ampera-circuit
mime=$share/mime/packages/$id.xml
if [ -f "$mime" ]; then
    grep -q "<mime-type type=\"$type\">" "$mime" || fail "the MIME package does not declare $type"
    grep -q '<glob pattern="\*.ampera"/>' "$mime" || fail "the MIME package has no *.ampera glob"
    report=$(update-mime-database "$share/mime" 2>&1) || fail "update-mime-database: $report"
    [ -f "$share/mime/$type.xml" ] || fail "update-mime-database made no entry for $type"
    grep -q '^ampera:\*\.ampera$' <<<"$(sed -n "s|^[0-9]*:$type:|ampera:|p" "$share/mime/globs2")" ||
        fail "globs2 does not map *.ampera to $type"
else
    fail "${mime#"$prefix"/} missing"
fi
[ -f "$desktop" ] && { grep -q "^MimeType=.*$type;" "$desktop" || fail "MimeType= lacks $type"; }
[ -f "$metainfo" ] && { grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "no <mediatype>$type</mediatype>"; }

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed tree valid"
