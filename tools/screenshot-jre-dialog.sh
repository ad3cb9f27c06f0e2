#!/bin/bash
# Retakes the README's picture of the "JRE Not Found" dialog (docs/jre-not-found.png): starts the
# built launcher under Wine, in a fresh prefix where no runtime can be found, inside a Wine virtual
# desktop (which draws title bars) on a virtual display, and captures the dialog.
#   tools/screenshot-jre-dialog.sh      (after tools/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"
root=${TARN_BUILD_ROOT:-build}
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
trap '"$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null; rm -rf "$work"' EXIT
"$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -w
mkdir -p "$work/app"
cp "$root/x64/tarn64.exe" "$work/app/Example.exe"
printf '[Java Runtime Environment]\r\nMain Class=example.Main\r\nMinimum Version=1.8\r\nMaximum Version=any\r\n' \
  >"$work/app/Example.ini"
env -u JAVA_HOME "$wine" explorer /desktop=shot,480x360 "Z:$work/app/Example.exe" >/dev/null 2>&1 &
for _ in $(seq 1 150); do
  desktop=$(xwininfo -root -tree | awk '/"shot - Wine desktop"/ {print $1; exit}')
  [ -n "$desktop" ] && xwininfo -root -tree | grep -q '"JRE Not Found"' && break
  sleep 0.2
done
sleep 1  # the dialog paints after it appears
mkdir -p docs
# The desktop's plain background around the dialog is trimmed away.
import -window "$desktop" png:- | convert - -trim +repage -strip docs/jre-not-found.png
echo "wrote docs/jre-not-found.png"
