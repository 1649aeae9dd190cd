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
exec wine cmd /c "${settings}$(winepath -w "$program") $*"
