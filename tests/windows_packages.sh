#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the Windows packages under Wine as a school's machine would take
# them: the zip unpacked into a folder of the user's, where the program
# answers on the command line; and the installer run without administrator
# rights, which must put the program in the user's own programs folder, add
# the Start menu entry and the .ampera association for that user, and take
# all of it away again when uninstalled.
#
#   windows_packages.sh ZIP SETUP      (WINEPREFIX set; AMPERA_VERSION the version)
set -euo pipefail
zip=$1 setup=$2
version=$AMPERA_VERSION

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

echo "== zip"
listing=$(unzip -Z1 "$zip")
for path in ampera.exe ampera.com qt.conf COPYING.txt LLEGEIX-ME.txt \
  fonts/LiberationSans-Regular.ttf fonts/LiberationSans-Bold.ttf \
  fonts/YanoneKaffeesatz-Regular.otf translations/qtbase_ca.qm; do
  grep -qx "Ampera-$version/$path" <<<"$listing" || fail "the zip lacks $path"
done
# Unpacked somewhere with a space and an accent in its name, as a user's
# folder may be, the program runs from there.
mkdir -p "$work/Carpeta d'en Martí"
unzip -q "$zip" -d "$work/Carpeta d'en Martí"
folder="$work/Carpeta d'en Martí/Ampera-$version"
answer=$(cd "$folder" && wine ampera.exe --version 2>/dev/null | tr -d '\r')
[ "$answer" = "ampera $version" ] || fail "ampera.exe --version said «$answer»"
answer=$(cd "$folder" && wine ampera.com --version 2>/dev/null | tr -d '\r')
[ "$answer" = "ampera $version" ] || fail "ampera.com --version said «$answer»"
status=0
(cd "$folder" && wine ampera.com --check no-such-file.ampera >/dev/null 2>&1) || status=$?
[ "$status" -eq 2 ] || fail "ampera.com --check on a missing file ended with $status, not 2"

# A teacher's exercise in the user's data folder (%LOCALAPPDATA%) is known,
# and a wiring of it checked.
exercises=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\ampera\\exercicis")
mkdir -p "$exercises"
sed 's/"id": "punt-de-llum"/"id": "prova-del-professor"/' \
  "$(dirname "$0")/../assets/exercises/punt-de-llum.json" >"$exercises/prova.json"
cat >"$work/prova.ampera" <<'WIRING'
{"format": "ampera-circuit", "version": 1, "exercise": "prova-del-professor",
 "conductors": [["Fase", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada, born 1"],
                ["Làmpada, born 2", "Neutre"]]}
WIRING
status=0
answer=$(cd "$work" && wine "$folder/ampera.com" --check prova.ampera 2>&1 | tr -d '\r') || status=$?
[ "$status" -eq 0 ] || fail "the teacher's exercise was not known: $answer"
rm -rf "$exercises"

echo "== installer"
user_dir=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
programs_unix=$(winepath -u "$user_dir\\Programs\\Ampera" 2>/dev/null)
start_menu_unix=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
wine "$setup" /S
wineserver --wait
[ -f "$programs_unix/ampera.exe" ] || fail "the installer did not put ampera.exe in $programs_unix"
[ -f "$programs_unix/fonts/LiberationSans-Regular.ttf" ] || fail "the installer left out the fonts"
[ -f "$start_menu_unix/Ampera.lnk" ] || fail "no Start menu entry in $start_menu_unix"
association=$(wine reg query 'HKCU\Software\Classes\.ampera' /ve 2>/dev/null | tr -d '\r')
grep -q 'Ampera.Muntatge' <<<"$association" || fail ".ampera is not associated for the user: $association"
command=$(wine reg query 'HKCU\Software\Classes\Ampera.Muntatge\shell\open\command' /ve 2>/dev/null | tr -d '\r')
grep -qi 'Programs\\Ampera\\ampera.exe" "%1"' <<<"$command" || fail "the open command is «$command»"
if wine reg query 'HKLM\Software\Classes\.ampera' >/dev/null 2>&1; then
  fail "the installer wrote to the machine's classes"
fi
answer=$(wine "$programs_unix/ampera.exe" --version 2>/dev/null | tr -d '\r')
[ "$answer" = "ampera $version" ] || fail "the installed ampera.exe --version said «$answer»"

echo "== uninstaller"
wine "$programs_unix/Desinstal·la Ampera.exe" /S _?="$(winepath -w "$programs_unix")"
wineserver --wait
[ ! -e "$programs_unix/ampera.exe" ] || fail "the uninstaller left ampera.exe"
[ ! -e "$start_menu_unix/Ampera.lnk" ] || fail "the uninstaller left the Start menu entry"
if wine reg query 'HKCU\Software\Classes\.ampera' >/dev/null 2>&1; then
  fail "the uninstaller left the .ampera association"
fi
# With _?= the uninstaller runs in place and cannot delete itself.
rm -f "$programs_unix/Desinstal·la Ampera.exe"
rmdir "$programs_unix" 2>/dev/null || true

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "packages valid"
