#!/bin/bash
# The branding options of the build: good values reach the resource script's header and the
# manifest as written (quotes and backslashes escaped, versions padded to four numbers); a bad
# value stops the configuration with a message naming it.
#   check-branding-options.sh SOURCE_DIR
set -u
source=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
configure() {
  local dir=$1
  shift
  cmake -S "$source" -B "$work/$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source/cmake/x86_64-w64-mingw32.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF "$@" >"$work/$dir.log" 2>&1
}

configure good "-DTARN_COMPANY_NAME=Ex\"am\\ple" -DTARN_PRODUCT_VERSION=2.5 -DTARN_FILE_VERSION=2.5.1.7 \
  -DTARN_EXECUTION_LEVEL=requireAdministrator -DTARN_ORIGINAL_FILENAME=Example.exe ||
  fail "a good configuration failed: $(tail -5 "$work/good.log")"
header=$work/good/res/tarn_version.h
grep -qF '#define TARN_COMPANY_NAME_TEXT "Ex""am\\ple"' "$header" || fail "company name not escaped: $(grep COMPANY "$header")"
grep -qF '#define TARN_PRODUCT_VERSION_COMMAS 2,5,0,0' "$header" || fail "product version not padded"
grep -qF '#define TARN_FILE_VERSION_COMMAS 2,5,1,7' "$header" || fail "file version wrong"
grep -qF '#define TARN_ORIGINAL_FILENAME_TEXT "Example.exe"' "$header" || fail "original file name wrong"
grep -qF 'level="requireAdministrator"' "$work/good/res/tarn.manifest" || fail "execution level not in the manifest"

expect_refusal() {
  local name=$1 message=$2
  shift 2
  if configure "$name" "$@"; then
    fail "$* was accepted"
  elif ! grep -qF "$message" "$work/$name.log"; then
    fail "$* was refused without naming the cause ($message)"
  fi
}
expect_refusal version "is not a version" -DTARN_FILE_VERSION=1.x
expect_refusal part "at most 65535" -DTARN_PRODUCT_VERSION=1.70000
expect_refusal level "TARN_EXECUTION_LEVEL" -DTARN_EXECUTION_LEVEL=admin
printf 'not an icon' > "$work/bad.ico"
expect_refusal icon "not an icon file" -DTARN_ICON="$work/bad.ico"

[ "$failures" -eq 0 ] || exit 1
echo "branding option checks passed"
