#!/bin/sh
# Lays out what is handed out, from the win32 preset (the x86 build):
#
#   build/dist/KubrelSE-<version>/       SETUP.EXE, SETUP.INF, README.TXT,
#                                        the three installation files
#                                        (placeholders) and kubrelse.exe
#   build/dist/KubrelSE-<version>-x86.zip  that folder
#
# The version is the project's (CMakeLists.txt); tools/lay-out-disk lays
# the folder out. Only programs that passed the x86 Windows test suite are
# handed out, and README.TXT says on which processor and Wine they passed:
# when `make test` has not proven these very programs, the suite runs here
# first; when it cannot run or fails, nothing is laid out.
set -eu
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32

# Where the suite ran: the processor (the machine's own 32-bit mode or an
# emulated x86 processor) and the Wine version.
if runner=$(tools/x86-proof check); then
    tested="passed"
elif ! tools/x86-root ensure >/dev/null || ! runner=$(tools/x86-root describe); then
    echo "dist: this machine cannot run the x86 programs (see tools/x86-root)" >&2
    tested="not run"
else
    echo "dist: running the x86 Windows test suite for these programs on $runner"
    echo "      (log: build/test-logs/dist-win32.log)"
    mkdir -p build/test-logs
    if ctest --preset win32 >build/test-logs/dist-win32.log 2>&1; then
        tools/x86-proof record "$runner"
        tested="passed"
    else
        tail -n 20 build/test-logs/dist-win32.log
        echo "dist: the x86 test suite failed" >&2
        tested="failed"
    fi
fi
if [ "$tested" != passed ]; then
    echo "dist: nothing handed out: the x86 programs must pass the x86 test suite first" >&2
    exit 1
fi
tested_text=$(echo "These x86 programs passed our Windows test suite where this release was made, \
run under Debian's 32-bit Wine on $runner. They have not been run on real Windows." | fold -s -w 72 | sed 's/ *$//')

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
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
