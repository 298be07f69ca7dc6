#!/usr/bin/env bash
# Runs the area menu's tests of app_frame_tests on screens 1920, 1366, 1024 and
# 854 pixels wide, each in a test environment of its own.
#   area_widths.sh path/to/app_frame_tests.exe
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
exe=$1
status=0
for size in 1920x1080 1366x768 1024x768 854x480; do
  echo "== screen $size"
  VISTREL_SCREEN=$size "$root/tools/testenv.sh" bash -c '"$VISTREL_WINE" "$0" --gtest_color=no --gtest_filter="AreaMenuTest.*"' "$exe" \
    || status=1
done
exit $status
