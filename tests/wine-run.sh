#!/bin/bash
# Runs one Windows test program under Wine, in a Wine prefix of its own inside the build tree,
# and leaves no Wine process behind.
#   wine-run.sh PREFIX_DIR PROGRAM [ARGS...]
set -u
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
fi
# Services the tests start (tests/kit/Scenario.h) take their environment from the registry, read
# when services.exe comes up (Wine ignores a service's own Environment value): the stand-in's
# trace file of every service.
if ! grep -qs '"TARN_STANDIN_TRACE"' "$WINEPREFIX/system.reg"; then
  "$wine" reg add 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' \
    /v TARN_STANDIN_TRACE /d 'C:\service-trace.txt' /f >/dev/null 2>&1
  "$wineserver" -w
fi
# services.exe and its services keep the standard error of the process that brings them up: this
# one, with Wine's err:eventlog channel on, so that C:\services.log receives the text of every event
# a service reports. The server persists until the test program has ended.
"$wineserver" -p
WINEDEBUG=-all,err+eventlog "$wine" cmd /c exit >/dev/null 2>"$WINEPREFIX/drive_c/services.log"
# Windows paths of the build tree for the tests (Wine maps Z: to /).
to_windows() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
export TARN_BUILD_DIR=$(to_windows "${TARN_BUILD_DIR_UNIX:?}")
export TARN_OTHER_BUILD_DIR=$(to_windows "${TARN_OTHER_BUILD_DIR_UNIX:-/nonexistent}")
# Empty when the ARM64 launchers were not built.
[ -z "${TARN_ARM64_BUILD_DIR_UNIX:-}" ] || export TARN_ARM64_BUILD_DIR=$(to_windows "$TARN_ARM64_BUILD_DIR_UNIX")
export TARN_SOURCE_DIR=$(to_windows "${TARN_SOURCE_DIR_UNIX:?}")
# What Wine itself reports (a child given WINEDEBUG, e.g. fixme+shcore, logs calls there) goes to a
# file a test can read, since Wine writes it for every process to the first one's stderr; shown after.
export TARN_WINE_DEBUG_LOG=$(to_windows "$prefix/wine-debug.log")
: >"$prefix/wine-debug.log"
"$wine" "$@" 2>>"$prefix/wine-debug.log"
status=$?
cat "$prefix/wine-debug.log" >&2
"$wineserver" -k >/dev/null 2>&1
"$wineserver" -w >/dev/null 2>&1
exit $status
