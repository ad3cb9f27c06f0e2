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
# Windows paths of the build tree for the tests (Wine maps Z: to /).
to_windows() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
export TARN_BUILD_DIR=$(to_windows "${TARN_BUILD_DIR_UNIX:?}")
export TARN_OTHER_BUILD_DIR=$(to_windows "${TARN_OTHER_BUILD_DIR_UNIX:-/nonexistent}")
# Empty when the ARM64 launchers were not built.
[ -z "${TARN_ARM64_BUILD_DIR_UNIX:-}" ] || export TARN_ARM64_BUILD_DIR=$(to_windows "$TARN_ARM64_BUILD_DIR_UNIX")
export TARN_SOURCE_DIR=$(to_windows "${TARN_SOURCE_DIR_UNIX:?}")
"$wine" "$@"
status=$?
"$wineserver" -k >/dev/null 2>&1
"$wineserver" -w >/dev/null 2>&1
exit $status
