#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing.
set -eu

PACKAGES="cmake ninja-build make g++ libgtest-dev libbenchmark-dev
g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
wine wine64 xvfb xauth bubblewrap mmdebstrap
libgsm1-dev zlib1g-dev
clang llvm lld
g++-arm-linux-gnueabihf qemu-user-static gcc-arm-none-eabi"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q $missing
