#!/bin/sh
# Lays out what is handed out, from the win32 preset (the x86 build):
#
#   build/dist/KubrelSE-<version>/       SETUP.EXE, SETUP.INF, README.TXT,
#                                        the three installation files
#                                        (placeholders) and kubrelse.exe
#   build/dist/KubrelSE-<version>-x86.zip  that folder
#
# The version is the project's (CMakeLists.txt). SETUP.INF and README.TXT
# come from setup/disk, with Windows line ends.
set -eu
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
name=KubrelSE-$version
dist=build/dist
folder=$dist/$name
zip=$name-x86.zip

crlf() { sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$1"; }

rm -rf "$folder" "${dist:?}/$zip"
mkdir -p "$folder"
cp build/win32/setup/setup.exe "$folder/SETUP.EXE"
cp build/win32/game/shell/kubrelse.exe "$folder/kubrelse.exe"
crlf setup/disk/SETUP.INF >"$folder/SETUP.INF"
crlf setup/disk/README.TXT >"$folder/README.TXT"
for cpu in ARM MIPS SH3; do
    printf '; KubrelSE %s: placeholder for the %s installation file.\r\n; It installs nothing (see README.TXT).\r\n' \
        "$version" "$cpu" >"$folder/KubrelSE.$cpu.ini"
done

(cd "$dist" && cmake -E tar cf "$zip" --format=zip "$name")
echo "dist: $folder/"
ls -l "$folder"
echo "dist: $dist/$zip"
