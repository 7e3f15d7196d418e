#!/bin/sh
# Lays out what is handed out, from the win32 preset (the x86 build):
#
#   build/dist/KubrelSE-<version>/       SETUP.EXE, SETUP.INF, README.TXT,
#                                        the three installation files
#                                        (placeholders) and kubrelse.exe
#   build/dist/KubrelSE-<version>-x86.zip  that folder
#
# The version is the project's (CMakeLists.txt); tools/lay-out-disk lays
# the folder out. README.TXT says whether these very programs passed the x86
# Windows test suite (under Wine 10 in WoW64 mode): when `make test` has not
# proven them, the suite runs here first.
set -eu
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

if tools/x86-proof check; then
    tested="passed"
elif ! tools/x86-runs-here build/win32 >/dev/null 2>&1; then
    echo "dist: this machine cannot run x86 programs under Wine 10; README.TXT says they were not tested"
    tested="not run"
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
elif [ "$tested" = "not run" ]; then
    tested_text="These x86 programs have NOT been tested: the machine this release was
made on cannot run 32-bit code under Wine. Do not hand them out before
they pass our Windows test suite elsewhere."
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

rm -f "${dist:?}/$zip"
tools/lay-out-disk build/win32 "$folder" "$tested_text"
(cd "$dist" && cmake -E tar cf "$zip" --format=zip "$name")
echo "dist: $folder/"
ls -l "$folder"
echo "dist: $dist/$zip"
