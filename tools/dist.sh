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
name=KubrelSE-$version
dist=build/dist
folder=$dist/$name
zip=$name-x86.zip

rm -f "${dist:?}/$zip"
tools/lay-out-disk build/win32 "$folder" "$tested_text"
(cd "$dist" && cmake -E tar cf "$zip" --format=zip "$name")
echo "dist: $folder/"
ls -l "$folder"
echo "dist: $dist/$zip"
