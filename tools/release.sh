#!/bin/bash
# Builds both architectures and lays out dist/, what a vendor receives:
#   tarn.exe, tarn64.exe     the launchers, stripped, with their symbol files (*.debug) beside them
#   tarnc.exe, tarnc64.exe   the console launchers, likewise
#   tarnbrand.exe            the branding tool (x86_64; runs on Windows and under Wine)
#   Sample.ini               a commented settings file covering every key
#   VENDOR-GUIDE.md          the README's sections for vendors: settings reference, branding, signing
set -euo pipefail
cd "$(dirname "$0")/.."
root=${TARN_BUILD_ROOT:-build}
tools/build.sh >/dev/null
cmake --build "$root/x64" --target tarnbrand >/dev/null
rm -rf dist
mkdir -p dist
for file in "$root/i686/tarn.exe" "$root/x64/tarn64.exe" "$root/i686/tarnc.exe" "$root/x64/tarnc64.exe" \
  "$root/x64/brand/tarnbrand.exe"; do
  cp "$file" dist/
  if [ -f "$file.debug" ]; then cp "$file.debug" dist/; fi
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
