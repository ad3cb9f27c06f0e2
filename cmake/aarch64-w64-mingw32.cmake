# Windows on ARM64, built with Zig's clang, lld, mingw-w64 and libc++ (tools/setup-arm64.sh puts
# the toolchain and these wrappers into <build root>/toolchain).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ARM64)
if(NOT TARN_TOOLCHAIN_BIN)
  set(TARN_TOOLCHAIN_BIN ${CMAKE_CURRENT_LIST_DIR}/../build/toolchain/bin)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARN_TOOLCHAIN_BIN)
set(CMAKE_C_COMPILER ${TARN_TOOLCHAIN_BIN}/aarch64-w64-mingw32-cc)
set(CMAKE_CXX_COMPILER ${TARN_TOOLCHAIN_BIN}/aarch64-w64-mingw32-c++)
set(CMAKE_RC_COMPILER ${TARN_TOOLCHAIN_BIN}/aarch64-w64-mingw32-windres)
