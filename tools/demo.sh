#!/bin/bash
# Builds the launcher and runs the bundled example application (demo/) through it under Wine.
#
# The example's jre\ folder holds the STAND-IN Java runtime of the tests, not a real one: a
# jvm.dll that the launcher loads exactly as it loads a real runtime's, but which runs small
# "class scripts" instead of Java byte code. The example prints its arguments, the environment
# variables the launcher set and the VM options it received; this script then lists every option
# the runtime was given and the launcher's exit code.
# With --console, the console launcher (tarnc64.exe) runs it in this terminal instead, and then runs
# a second product, Echo.exe, that reads standard input and ends with an uncaught exception.
#   tools/demo.sh [--console] [ARGUMENTS FOR THE EXAMPLE...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
launcher=tarn64.exe
if [ "${1:-}" = --console ]; then launcher=tarnc64.exe; shift; fi
[ $# -gt 0 ] || set -- "two words" -nosplash "Ünïcödé 日本"

echo "== Building (log: $root/demo-build.log)"
mkdir -p "$root"
if ! tools/build.sh >"$root/demo-build.log" 2>&1; then
  tail -30 "$root/demo-build.log"
  exit 1
fi

app=$PWD/$root/demo/Demo
echo "== Laying out the example in $app"
rm -rf "$app"
mkdir -p "$app/jre/bin/client"
cp "$root/x64/$launcher" "$app/Demo.exe"
if [ "$launcher" = tarnc64.exe ]; then cp "$root/x64/$launcher" "$app/Echo.exe"; fi
# The settings are read as UTF-16 with CR LF line ends, as Windows editors save them.
python3 - "$PWD/demo" "$app" <<'PY'
import pathlib, shutil, sys
demo, app = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
text = (demo / "Demo.ini").read_text(encoding="utf-8").replace("\r\n", "\n").replace("\n", "\r\n")
(app / "Demo.ini").write_bytes("\ufeff".encode("utf-16-le") + text.encode("utf-16-le"))
echo = text.replace("Main Class=demo.Hello", "Main Class=demo.Echo")
(app / "Echo.ini").write_bytes("\ufeff".encode("utf-16-le") + echo.encode("utf-16-le"))
# The stand-in reads classes from folders only (a real runtime reads jars too).
shutil.copytree(demo / "classes", app / "classes", dirs_exist_ok=True)
PY
cp "$root/x64/standin/jvm.dll" "$app/jre/bin/client/jvm.dll"
: >"$app/jre/bin/java.dll"
cp demo/STAND-IN.txt "$app/jre/STAND-IN.txt"
echo "   jre\\ is the tests' STAND-IN runtime ($root/x64/standin/jvm.dll), not a real Java runtime."

export WINEPREFIX=$PWD/$root/demo/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Preparing a Wine prefix in $WINEPREFIX (first run only)"
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
fi
to_windows() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
trace=$app/trace.txt
export TARN_STANDIN_TRACE=$(to_windows "$trace")

printf '== Running: Demo.exe'; printf ' "%s"' "$@"; echo
echo "--------------------------------------------------------------------------------"
set +e
if [ "$launcher" = tarnc64.exe ]; then
  # A console program needs no display; its streams are this terminal's (or the pipe's).
  "$wine" "$app/Demo.exe" "$@" </dev/null | tr -d '\r'
  code=${PIPESTATUS[0]}
else
  # Wine is stopped before the virtual display goes away.
  tools/with-display.sh bash -c '"$0" "$@"; code=$?; "'"$wineserver"'" -k >/dev/null 2>&1; exit $code' \
    "$wine" "$app/Demo.exe" "$@" | tr -d '\r'
  code=${PIPESTATUS[0]}
fi
set -e
echo "--------------------------------------------------------------------------------"
echo "== Every option JNI_CreateJavaVM received (from the stand-in's trace):"
grep -P '^\d+\tOption\t' "$trace" | cut -f3- | sed 's/\textraInfo$/   (with the launcher'"'"'s hook)/; s/^/   /' || true
[ "$code" -eq 255 ] && shown=-1 || shown=$code
echo "== Exit code of Demo.exe: $shown"
if [ "$launcher" = tarnc64.exe ]; then
  echo "== Running: printf 'first line\\nzweite Zeile\\n' | Echo.exe"
  echo "--------------------------------------------------------------------------------"
  set +e
  printf 'first line\nzweite Zeile\n' | "$wine" "$app/Echo.exe" 2>&1 | tr -d '\r'
  code=${PIPESTATUS[1]}
  set -e
  "$wineserver" -k >/dev/null 2>&1 || true
  echo "--------------------------------------------------------------------------------"
  echo "== Exit code of Echo.exe: $code"
fi
