#!/bin/sh
# Lays out what is handed out, from the win32 preset (the x86 build):
#
#   build/dist/KubrelSE-<version>/       SETUP.EXE, SETUP.INF, README.TXT,
#                                        the three installation files
#                                        (placeholders) and kubrelse.exe
#   build/dist/KubrelSE-<version>-x86.zip  that folder
#
# The version is the project's (CMakeLists.txt). SETUP.INF and README.TXT
# come from setup/disk, with Windows line ends. README.TXT says whether these
# very programs passed the x86 Windows test suite (under Wine 10 in WoW64
# mode): when `make test` has not proven them, the suite runs here first.
set -eu
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

if tools/x86-proof check; then
    tested="passed"
else
    echo "dist: running the x86 Windows test suite for these programs (log: build/test-logs/dist-win32.log)"
    mkdir -p build/test-logs
    if ctest --preset win32 >build/test-logs/dist-win32.log 2>&1; then
        tools/x86-proof record
        tested="passed"
    else
        tail -n 20 build/test-logs/dist-win32.log
        echo "dist: THE x86 TEST SUITE FAILED; README.TXT says so"
        tested="failed"
    fi
fi
if [ "$tested" = passed ]; then
    tested_text="These x86 programs passed our Windows test suite where this release
was made, run under Wine 10 in its 32-bit (WoW64) mode. They have not been
run on real Windows."
else
    tested_text="These x86 programs did NOT pass our Windows test suite where this
release was made (run under Wine 10 in its 32-bit mode). Do not hand them
out."
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
# The four-part version the programs carry in their version resources.
file_version=$(sed -n 's/^#define KUBRELSE_VERSION_TEXT "\(.*\)"$/\1/p' build/win32/version/version.h)
name=KubrelSE-$version

# Each program handed out carries its version resource (type 16) and its
# application manifest (type 24) among its resource types.
carries_both() {
    i686-w64-mingw32-objdump -p "$1" | awk '/The \.rsrc Resource Directory/ { r = 1 }
        r && /^[0-9a-f]+   Entry: ID: 0x0000(10|18),/ { n++ } END { exit n != 2 }'
}
for program in build/win32/setup/setup.exe build/win32/game/shell/kubrelse.exe; do
    carries_both "$program" || { echo "dist: $program lacks its version resource or its manifest" >&2; exit 1; }
done
dist=build/dist
folder=$dist/$name
zip=$name-x86.zip

crlf() {
    awk -v version="$version" -v file_version="$file_version" -v tested="$tested_text" \
        '{ gsub(/@VERSION@/, version); gsub(/@FILE_VERSION@/, file_version); if ($0 == "@TESTED@") $0 = tested
           gsub(/\n/, "\r\n"); print $0 "\r" }' "$1"
}

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
