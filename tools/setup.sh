#!/bin/bash
# Installs what building and testing need on Debian 12, when it is missing; with TARN_ARM64=1 also
# the ARM64 toolchain (tools/setup-arm64.sh).
set -u
packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine64 xvfb openjdk-17-jdk-headless googletest binutils
          osslsigncode openssl clang-14 llvm-14 libfuzzer-14-dev libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  # A mirror being synchronised can make update report an error; the install decides.
  $SUDO apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" || exit
fi
if [ "${TARN_ARM64:-0}" = 1 ]; then
  "$(dirname "$0")/setup-arm64.sh"
fi
