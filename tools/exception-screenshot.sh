#!/bin/bash
# Takes the README's picture of the "Java Exception" dialog: builds the launcher, lays out a small
# product whose main method throws, runs it under Wine on a virtual display and photographs the
# dialog. Needs ImageMagick's "import" and x11-utils' "xwininfo".
#   tools/exception-screenshot.sh [OUTPUT.png]     (default: doc/java-exception.png)
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
out=$(realpath -m "${1:-doc/java-exception.png}")
command -v import >/dev/null && command -v xwininfo >/dev/null ||
  { echo "needs ImageMagick (import) and x11-utils (xwininfo)" >&2; exit 1; }
[ -x "$root/x64/tarn64.exe" ] || tools/build.sh >"$root/screenshot-build.log" 2>&1

app=$PWD/$root/screenshot/Orders
rm -rf "$app"
mkdir -p "$app/classes/com/example" "$app/jre/bin/client"
cp "$root/x64/tarn64.exe" "$app/Orders.exe"
cp "$root/x64/standin/jvm.dll" "$app/jre/bin/client/jvm.dll"
: >"$app/jre/bin/java.dll"
# The settings that produce the dialog (shown in the README).
cat >"$app/Orders.ini" <<'INI'
[Java Runtime Environment]
Main Class=com.example.Orders

[Class Path]
Class Path=classes

[Application]
Failure Check=Yes
INI
# A stand-in class script: main throws at once.
cat >"$app/classes/com/example/Orders.class" <<'SCRIPT'
method main
  throw java.lang.IllegalStateException Cannot read "Bestellungen März.xml": the file is locked
end
SCRIPT

export WINEPREFIX=$PWD/$root/screenshot/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
  # No window manager runs on the virtual display: Wine draws the caption itself, with the
  # symbol font of its caption buttons.
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  "$wineserver" -w
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

# On the virtual display: start the product, wait (at most 60 s) for the dialog's window, photograph
# it, then stop Wine.
tools/with-display.sh bash -c '
  set -u
  "$1" "$2" >/dev/null 2>&1 &
  window=
  for _ in $(seq 1 300); do
    window=$(xwininfo -root -tree 2>/dev/null | grep "\"Java Exception\"" | awk "{print \$1}" | head -1)
    [ -n "$window" ] && break
    sleep 0.2
  done
  status=1
  if [ -n "$window" ]; then
    sleep 1  # let the dialog finish painting
    import -window "$window" -strip -depth 8 -colors 32 -define png:compression-level=9 \
      -define png:exclude-chunks=date,time "$4" && status=0
  else
    echo "the dialog did not appear" >&2
  fi
  "$3" -k >/dev/null 2>&1
  exit $status' _ "$wine" "$app/Orders.exe" "$wineserver" "$out"
echo "wrote $out"
