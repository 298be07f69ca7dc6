#!/usr/bin/env bash
# Runs the full-disk tests with the Wine drive R: on a 3 MB tmpfs, made here and
# removed afterwards (root is needed to mount it; without it the test is skipped).
#   full_disk.sh path/to/app_full_disk_tests.exe
set -euo pipefail
exe=$1
: "${WINEPREFIX:?run inside tools/testenv.sh}"
drive="$WINEPREFIX/dosdevices/r:"
[ -e "$drive" ] && { echo "drive R: is taken"; exit 77; }
dir=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-full-disk.XXXXXX")
if ! mount -t tmpfs -o size=3m tmpfs "$dir" 2>/dev/null; then
  rmdir "$dir"
  echo "cannot mount a tmpfs here: skipped"
  exit 77
fi
cleanup() {
  rm -f "$drive"
  umount "$dir" || true
  rmdir "$dir" || true
}
trap cleanup EXIT
ln -s "$dir" "$drive"
"$VISTREL_WINE" "$exe" --gtest_color=no
