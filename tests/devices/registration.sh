#!/usr/bin/env bash
# Registers the capture DLLs named on the command line with regsvr32 in the
# current folder (inside tools/testenv.sh), checks that the screen device is
# listed among the video capture devices, then unregisters them and checks that
# it is gone.
#   registration.sh VistrelCapture.dll VistrelTestDevices.dll
set -euo pipefail
: "${VISTREL_WINE:?run inside tools/testenv.sh}"
video_devices='HKCR\CLSID\{860BB310-5D01-11D0-BD3B-00A0C911CE86}\Instance'
listed() { "$VISTREL_WINE" reg query "$video_devices" /s 2>/dev/null | grep -q 'screen-capture-recorder'; }

for dll in "$@"; do "$VISTREL_WINE" regsvr32 /s "$dll" || { echo "regsvr32 $dll failed"; exit 1; }; done
listed || { echo "screen-capture-recorder is not listed after registering"; exit 1; }
for dll in "$@"; do "$VISTREL_WINE" regsvr32 /s /u "$dll" || { echo "regsvr32 /u $dll failed"; exit 1; }; done
if listed; then echo "screen-capture-recorder is still listed after unregistering"; exit 1; fi
echo "registered and unregistered: $*"
