#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every file of the program's own source (code, build files, scripts, the
# templates of its metadata) names its licence in an SPDX line near its top.
#
#   licence_lines.sh SOURCE_DIR
set -euo pipefail
cd "$1"
missing=0
while IFS= read -r -d '' file; do
  if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later'; then
    echo "no SPDX line: $file"
    missing=$((missing + 1))
  fi
done < <(find src tests tools bench cmake scripts data CMakeLists.txt .ci/run .clang-format \
  -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' -o -name '*.in' \
  -o -name '*.xml' -o -name CMakeLists.txt -o -name run -o -name .clang-format \
  -o -path 'scripts/*' \) -print0)
[ "$missing" -eq 0 ] || { echo "$missing file(s) without an SPDX line"; exit 1; }
echo "every source file names its licence"
