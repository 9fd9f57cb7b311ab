#!/usr/bin/env bash
# Installs the Debian packages that building and testing lufio need: the Linux
# toolchains and libraries, and for the Windows DLL the mingw-w64 cross
# compiler (posix thread model) and Wine (64-bit only, without recommends, with
# its preloader: without it the loader's randomly placed heap now and then takes
# the address of Windows' shared user data page, and that Wine start fails);
# for the msvc-check preset clang-cl, llvm-lib, libc++'s headers and Wine's
# Windows headers; doxygen for the API reference; ninja-build for the Ninja
# Multi-Config build of the Debug and Release consumer test; libabigail's abidw
# and abidiff for the interface check; strace for the program's check of the
# order in which a copy stores its data; npm for the workflow linter.
set -euo pipefail
packages=(cmake g++ clang libclang-rt-14-dev make ninja-build pkg-config libgtest-dev googletest libbenchmark-dev libcli11-dev
  valgrind gcovr abigail-tools doxygen strace
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 wine64-preloader wine
  clang-tools-14 llvm-14 libc++-14-dev libc++abi-14-dev libwine-dev)
# Any Node.js with npm will do (Debian's, or one installed otherwise).
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
