#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program of the build under Wine, as CTest's emulator. Wine
# leaves out of a program's environment every variable whose name begins
# with QT_, so those that the tests are given (the platform, the scale,
# Qt Test's logging) are set again by cmd.exe just before the program
# starts; its output and exit status come back unchanged.
#
#   wine_run.sh PROGRAM.exe ARGUMENT...
set -euo pipefail
program=$1
shift
settings=
while IFS= read -r name; do
  settings+="set $name=${!name}&& "
done < <(compgen -e | grep '^QT_' || true)
command="${settings}$(winepath -w "$program")${*:+ $*}"
# On a loaded machine Wine's cmd.exe has been seen to miss a program just
# linked ("Can't recognize ..."); that failure to start, and only that, is
# tried once more.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
status=0
wine cmd /c "$command" 2> >(tee "$errors" >&2) || status=$?
wait
if [ "$status" -ne 0 ] && grep -q "Can't recognize" "$errors"; then
  sleep 2
  status=0
  wine cmd /c "$command" || status=$?
fi
exit "$status"
