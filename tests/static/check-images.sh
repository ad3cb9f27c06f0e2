#!/bin/bash
# Static checks of the shipped executables: machine, subsystem, imports, resources, size, symbols.
# LLVM's tools read the images of every machine (GNU objdump on Debian 12 knows no ARM64 PE).
#   check-images.sh BUILD_DIR [OTHER_BUILD_DIR [ARM64_BUILD_DIR]]
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What a vendor ships: at most this many bytes an executable, symbols in a file beside it.
size_budget=300000

allowed_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|ole32|oleaut32|msvcrt|comdlg32|version|ucrtbase|api-ms-win-.*)\.dll$'

# The symbols beside an image: a GNU debug link to <image>.debug, or (Zig's linker for ARM64) a
# CodeView record naming <name>.pdb, which must carry the same signature.
check_symbols() {
  local image=$1 sections=$2
  grep -qE '^\s+[0-9]+ \.debug_' <<<"$sections" && fail "$image: not stripped"
  if grep -q '\.gnu_debuglink' <<<"$sections"; then
    grep -q '\.debug_info' < <(llvm-objdump-14 -h "$image.debug" 2>/dev/null) ||
      fail "$image.debug: no symbols beside the executable"
    return
  fi
  local record pdb guid
  record=$(llvm-readobj-14 --coff-debug-directory "$image")
  pdb=$(sed -n 's/^ *PDBFileName: //p' <<<"$record")
  guid=$(sed -n 's/^ *PDBGUID: (\(.*\))/\1/p' <<<"$record" | tr -d ' ' | tr 'A-F' 'a-f')
  if [ "$pdb" != "$(basename "${image%.exe}").pdb" ] || [ -z "$guid" ]; then
    fail "$image: no link to its symbol file"
  elif ! od -An -tx1 -v "$(dirname "$image")/$pdb" 2>/dev/null | tr -d ' \n' | grep -q "$guid"; then
    fail "$image: $pdb beside it is missing or belongs to another build"
  fi
}

# check_image IMAGE MACHINE SUBSYSTEM: SUBSYSTEM is 2 (Windows GUI) or 3 (Windows CUI, the console).
check_image() {
  local image=$1 machine=$2 subsystem=$3
  [ -f "$image" ] || { fail "$image is missing"; return; }
  # The machine field is the two bytes after the PE signature.
  local pe_offset
  pe_offset=$(od -An -tu4 -j60 -N4 "$image" | tr -d ' ')
  local found
  found=$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$image" | tr -d ' ')
  [ "$found" = "$machine" ] || fail "$image: machine 0x$found, expected 0x$machine"
  # The subsystem field is the two bytes at offset 68 of the optional header (PE signature + 4 + 20).
  found=$(od -An -tu2 -j$((pe_offset + 24 + 68)) -N2 "$image" | tr -d ' ')
  [ "$found" = "$subsystem" ] || fail "$image: subsystem $found, expected $subsystem"
  local imports
  imports=$(llvm-readobj-14 --coff-imports "$image") || { fail "$image cannot be read"; return; }
  while read -r dll; do
    [[ "${dll,,}" =~ $allowed_dlls ]] || fail "$image imports $dll, which is not a system DLL"
  done < <(sed -n 's/^ *Name: //p' <<<"$imports")
  local resources
  resources=$(llvm-readobj-14 --coff-resources "$image" | sed -n 's/^ *Type: \([A-Z_]*\) .*/\1/p' | sort | tr '\n' ' ')
  [ "$resources" = "DIALOG GROUP_ICON ICON MANIFEST MESSAGETABLE STRINGTABLE VERSIONINFO " ] ||
    fail "$image: resources $resources, expected dialogs, icon, manifest, message table, string table and version block"
  # The manifest asks for common controls 6; string 210 must be in the string table (UTF-16); the
  # version block names the file as built.
  strings -a "$image" | grep -q 'Microsoft.Windows.Common-Controls' || fail "$image: manifest missing"
  strings -a -el "$image" | grep -q 'Main class was not specified in INI file.' || fail "$image: string table missing"
  strings -a -el "$image" | grep -A1 -x OriginalFilename | grep -qx "$(basename "$image")" ||
    fail "$image: the version block does not name $(basename "$image")"
  # Event Viewer shows a service's events through message 1 of the message table, "%1": the text
  # the event carries, as it stands. (Wine has no Event Viewer to show it.) As MESSAGE_RESOURCE_DATA:
  # one block of ids 1 to 1 whose entries start at byte 16; the entry 12 bytes long, UTF-16 (flag 1),
  # "%1" and its terminator.
  od -An -v -tx1 "$image" | tr -d ' \n' | grep -q '010000000100000001000000100000000c0001002500310000000000' ||
    fail "$image: message table missing"
  local size
  size=$(stat -c %s "$image")
  [ "$size" -le "$size_budget" ] || fail "$image: $size bytes, over the budget of $size_budget"
  check_symbols "$image" "$(llvm-objdump-14 -h "$image")"
  echo "checked $image (machine 0x$machine, $size bytes)"
}

build=$1
other=${2:-}
arm64=${3:-}
check_image "$build/tarn64.exe" 8664 2
check_image "$build/tarnc64.exe" 8664 3
if [ -n "$other" ]; then
  check_image "$other/tarn.exe" 014c 2
  check_image "$other/tarnc.exe" 014c 3
else
  fail "no i686 build tree given"
fi
# The ARM64 launchers are an optional part of the build (TARN_ARM64=1); tools/test.sh builds them.
if [ -n "$arm64" ]; then
  check_image "$arm64/tarnarm64.exe" aa64 2
  check_image "$arm64/tarncarm64.exe" aa64 3
else
  echo "ARM64 launchers not built: not checked"
fi
[ "$failures" -eq 0 ] || exit 1
echo "image checks passed"
