#!/bin/bash
# Takes the README's splash screenshot: starts the launcher with demo/splash.png as its splash on a
# virtual display with a plain desktop, waits until the Java program's main runs (the splash is up
# by then), and crops the screen to the window with a margin of desktop around it.
#   tools/splash-screenshot.sh [OUTPUT.png]      (default: docs/splash-screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
out=$(realpath -m "${1:-docs/splash-screenshot.png}")
mkdir -p "$root"
if ! tools/build.sh >"$root/screenshot-build.log" 2>&1; then
  tail -30 "$root/screenshot-build.log"
  exit 1
fi

app=$PWD/$root/screenshot/Splash
rm -rf "$app"
mkdir -p "$app/classes/demo" "$app/jre/bin/client"
cp "$root/x64/tarn64.exe" "$app/Splash.exe"
cp demo/splash.png "$app/splash.png"
cp "$root/x64/standin/jvm.dll" "$app/jre/bin/client/jvm.dll"
: >"$app/jre/bin/java.dll"
# A class script for the stand-in runtime (tests/README.md): main waits, so the splash stays up.
printf 'method main\n  sleep 5000\nend\n' >"$app/classes/demo/Wait.class"
python3 - "$app/Splash.ini" <<'PY'
import sys
text = ("[Java Runtime Environment]\r\nMain Class=demo.Wait\r\n[Class Path]\r\nClass Path=classes\r\n"
        "[Display]\r\nSplash Screen=splash.png\r\nSplash Screen Shadow=true\r\n")
open(sys.argv[1], "wb").write("\ufeff".encode("utf-16-le") + text.encode("utf-16-le"))
PY
size=$(identify -format '%wx%h' demo/splash.png)

trace=$app/trace.txt
export TARN_STANDIN_TRACE="Z:$(printf '%s' "$trace" | tr / '\\')"
# tests/wine-run.sh prepares the Wine prefix, runs the launcher to its end and stops Wine.
export TARN_BUILD_DIR_UNIX=$PWD/$root/x64 TARN_SOURCE_DIR_UNIX=$PWD
export TARN_RUN="$PWD/tests/wine-run.sh $PWD/$root/screenshot/wine $app/Splash.exe"
export TARN_APP=$app TARN_SIZE=$size TARN_OUT=$out TARN_TRACE=$trace
tools/with-display.sh bash -c '
  set -u
  cd "$TARN_APP"
  read -r screen_w screen_h < <(xwininfo -root | awk "/Width:/{w=\$2} /Height:/{h=\$2} END{print w, h}")
  convert -size "${screen_w}x${screen_h}" gradient:"#e4e8ec-#b8c2cc" desktop.png
  display -window root desktop.png
  $TARN_RUN >/dev/null 2>&1 &
  for _ in $(seq 1 600); do
    grep -q "CallStaticVoidMethod" "$TARN_TRACE" 2>/dev/null && break
    sleep 0.1
  done
  sleep 1  # the X server has drawn what Wine sent
  w=${TARN_SIZE%x*} h=${TARN_SIZE#*x} margin=24
  import -window root -crop "$((w + 2 * margin))x$((h + 2 * margin))+$(( (screen_w - w) / 2 - margin ))+$(( (screen_h - h) / 2 - margin ))" \
    +repage "$TARN_OUT"
  status=$?
  wait
  exit $status'
echo "wrote $out"
