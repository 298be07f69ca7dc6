#!/usr/bin/env bash
# Runs the area menu's tests of app_frame_tests on screens 1920, 1366, 1024 and
# 854 pixels wide, each in a test environment of its own with a copy of the
# program's folder (its program and DLLs) in a folder of its own.
#   area_widths.sh FROM_DIR OWN_DIR app_frame_tests.exe
# A size whose run holds no case of the suite fails: a renamed suite must not pass
# by running nothing.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
from=$1 own=$2 exe=$3
suite=AreaMenuTest
status=0
for size in 1920x1080 1366x768 1024x768 854x480; do
  echo "== screen $size"
  folder=$own/$size
  rm -rf "$folder"; mkdir -p "$folder"
  cp "$from/$exe" "$from"/*.dll "$folder/"
  log=$folder/run.log
  if ! VISTREL_SCREEN=$size VISTREL_REGISTER="VistrelCapture.dll VistrelTestDevices.dll" \
    "$root/tools/testenv.sh" --folder "$folder" \
    bash -c '"$VISTREL_WINE" "$0" --gtest_color=no --gtest_filter="$1.*"' "$folder/$exe" "$suite" 2>&1 | tee "$log"; then
    status=1
  fi
  if ! grep -q "^\[ RUN      \] $suite\." "$log"; then
    echo "no case of $suite ran on $size"
    status=1
  fi
done
exit $status
