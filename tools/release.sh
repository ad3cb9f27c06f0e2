#!/bin/bash
# Builds every architecture and lays out dist/, what a vendor receives:
#   tarn.exe, tarn64.exe     the launchers, stripped, with their symbol files (*.debug) beside them
#   tarnc.exe, tarnc64.exe   the console launchers, likewise
#   tarnarm64.exe, tarncarm64.exe   the ARM64 launchers, with their symbol files (*.pdb)
#   tarnbrand.exe            the branding tool (x86_64; runs on Windows and under Wine)
#   Sample.ini               a commented settings file covering every key
#   VENDOR-GUIDE.md          the README's sections for vendors: settings reference, branding, signing
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
TARN_ARM64=1 tools/build.sh >/dev/null
cmake --build "$root/x64" --target tarnbrand >/dev/null
rm -rf dist
mkdir -p dist
for file in "$root/i686/tarn.exe" "$root/x64/tarn64.exe" "$root/i686/tarnc.exe" "$root/x64/tarnc64.exe" \
  "$root/arm64/tarnarm64.exe" "$root/arm64/tarncarm64.exe" "$root/x64/brand/tarnbrand.exe"; do
  cp "$file" dist/
  if [ -f "$file.debug" ]; then cp "$file.debug" dist/; fi
  if [ -f "${file%.exe}.pdb" ]; then cp "${file%.exe}.pdb" dist/; fi
done
cp vendor/Sample.ini dist/Sample.ini
{
  echo "# Tarn: guide for vendors"
  echo
  echo "This folder holds the launchers, their symbol files, the branding tool and a sample settings file."
  echo "The sections below come from Tarn's README."
  echo
  # Every section except those about building and testing Tarn itself.
  awk '/^## / { keep = ($0 !~ /^## (The two commands|Layout|Tests)$/) } keep' README.md
} > dist/VENDOR-GUIDE.md
ls -l dist
