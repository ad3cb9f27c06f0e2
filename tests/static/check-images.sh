#!/bin/bash
# Static checks of the shipped executables: machine, subsystem, imports, resources.
#   check-images.sh BUILD_DIR [OTHER_BUILD_DIR]
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What a vendor ships: at most this many bytes an executable, symbols in a file beside it.
size_budget=300000

allowed_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|ole32|oleaut32|msvcrt|comdlg32|version|ucrtbase|api-ms-win-.*)\.dll$'

# check_image IMAGE MACHINE SUBSYSTEM: SUBSYSTEM is 2 (Windows GUI) or 3 (Windows CUI, the console).
check_image() {
  local image=$1 machine=$2 subsystem=$3
  [ -f "$image" ] || { fail "$image is missing"; return; }
  local dump
  dump=$(x86_64-w64-mingw32-objdump -p "$image") || { fail "$image cannot be read"; return; }
  # The machine field is the two bytes after the PE signature.
  local pe_offset
  pe_offset=$(od -An -tu4 -j60 -N4 "$image" | tr -d ' ')
  local found
  found=$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$image" | tr -d ' ')
  [ "$found" = "$machine" ] || fail "$image: machine 0x$found, expected 0x$machine"
  # The subsystem field is the two bytes at offset 68 of the optional header (PE signature + 4 + 20).
  found=$(od -An -tu2 -j$((pe_offset + 24 + 68)) -N2 "$image" | tr -d ' ')
  [ "$found" = "$subsystem" ] || fail "$image: subsystem $found, expected $subsystem"
  while read -r dll; do
    [[ "${dll,,}" =~ $allowed_dlls ]] || fail "$image imports $dll, which is not a system DLL"
  done < <(grep 'DLL Name:' <<<"$dump" | awk '{print $3}')
  local resources
  resources=$(x86_64-w64-mingw32-objdump -s -j .rsrc "$image" 2>/dev/null)
  [ -n "$resources" ] || fail "$image has no resources"
  # The manifest asks for common controls 6; string 210 must be in the string table (UTF-16).
  strings -a "$image" | grep -q 'Microsoft.Windows.Common-Controls' || fail "$image: manifest missing"
  strings -a -el "$image" | grep -q 'Main class was not specified in INI file.' || fail "$image: string table missing"
  # Event Viewer shows a service's events through message 1 of the message table, "%1": the text
  # the event carries, as it stands. (Wine has no Event Viewer to show it.)
  x86_64-w64-mingw32-windres -i "$image" -O rc 2>/dev/null | grep -A1 'MessageId = 0x1$' | grep -qx '   %1\\000\\000' ||
    fail "$image: message table missing"
  local size
  size=$(stat -c %s "$image")
  [ "$size" -le "$size_budget" ] || fail "$image: $size bytes, over the budget of $size_budget"
  grep -qE '^\s+[0-9]+ \.debug_' < <(x86_64-w64-mingw32-objdump -h "$image") && fail "$image: not stripped"
  grep -q '\.gnu_debuglink' < <(x86_64-w64-mingw32-objdump -h "$image") || fail "$image: no link to its symbol file"
  grep -q '\.debug_info' < <(x86_64-w64-mingw32-objdump -h "$image.debug" 2>/dev/null) ||
    fail "$image.debug: no symbols beside the executable"
  echo "checked $image (machine 0x$machine, $size bytes)"
}

build=$1
other=${2:-}
check_image "$build/tarn64.exe" 8664 2
check_image "$build/tarnc64.exe" 8664 3
if [ -n "$other" ]; then
  check_image "$other/tarn.exe" 014c 2
  check_image "$other/tarnc.exe" 014c 3
else
  fail "no i686 build tree given"
fi
[ "$failures" -eq 0 ] || exit 1
echo "image checks passed"
