#!/bin/sh
# Configures and builds every preset, runs every test suite, and ends with
# one line "N passed, N failed". Exits non-zero when anything failed. Each
# step's time is printed, so a slow machine shows where the minutes go.
set -u
cd "$(dirname "$0")/.."

passed=0
failed=0
skipped=0
log=build/test-logs
mkdir -p "$log"

step() {  # name, command...: a failing build step counts as one failure
    name=$1; shift
    echo "== $name"
    started=$(date +%s)
    if "$@" >"$log/$name.log" 2>&1; then
        echo "   $(( $(date +%s) - started )) s"
        return 0
    fi
    tail -n 40 "$log/$name.log"
    echo "!! $name failed (full log: $log/$name.log)"
    failed=$((failed + 1))
    return 1
}

failed_output() {  # ctest log: what each failed test printed, a few lines each
    awk '/^ *Start +[0-9]+:|^ *[0-9]+\/[0-9]+ Test +#|tests passed, / { show = 0 }
         /^ *[0-9]+\/[0-9]+ Test +#.*\*\*\*/ { show = 1; lines = 0 }
         show && NF && lines++ < 20' "$1" | head -n 60
}

run_tests() {  # preset [ctest options...]: counts from ctest's JUnit report, one testcase per test
    preset=$1; shift
    echo "== test $preset"
    started=$(date +%s)
    report=$PWD/$log/test-$preset.xml
    rm -f "$report"
    ctest --preset "$preset" --output-junit "$report" "$@" >"$log/test-$preset.log" 2>&1
    whole=1
    [ $# -eq 0 ] || whole=0
    set -- "$preset"
    if [ ! -s "$report" ]; then
        tail -n 40 "$log/test-$1.log"
        echo "!! ctest $1 wrote no report (full log: $log/test-$1.log)"
        failed=$((failed + 1))
        return
    fi
    total=$(grep -c '<testcase ' "$report")
    good=$(grep -c '<testcase .*status="run"' "$report")
    bad=$((total - good))
    passed=$((passed + good))
    failed=$((failed + bad))
    echo "   $good passed, $bad failed ($(( $(date +%s) - started )) s)"
    if [ "$bad" -ne 0 ]; then
        failed_output "$log/test-$1.log"
        echo "failed or not run:"
        grep '<testcase ' "$report" | grep -v 'status="run"' | sed 's/.*<testcase name="\([^"]*\)".*/   \1/'
    fi
    # The x86 programs that passed the whole suite are the ones `make dist`
    # may hand out as tested, with the processor and Wine they ran on.
    [ "$1" != win32 ] || [ "$bad" -ne 0 ] || [ "$whole" -eq 0 ] || tools/x86-proof record "$(tools/x86-root describe)"
}

step install tools/install-deps.sh || { echo "0 passed, $failed failed"; exit 1; }
# The Debian 13 i386 root whose 32-bit Wine 10 runs the x86 programs, made
# once per machine and kept outside the work tree, and the processor that
# runs it: the machine's own 32-bit mode, or an emulated x86 processor
# where the machine offers none (KUBRELSE_X86_EMULATED=1 asks for the
# emulated one everywhere).
x86_ready=0
step x86-root tools/x86-root ensure && x86_ready=1

# The x86 programs' Windows tests, wherever the root runs. Where it cannot
# (no root rights to make it, say), they are still built and size-checked,
# their Windows tests are counted as skipped, and `make dist` says they have
# not passed.
run_x86_tests() {
    if [ "$x86_ready" -eq 1 ] && how=$(tools/x86-root describe 2>/dev/null); then
        echo "   x86 programs run on $how"
        run_tests win32
        return
    fi
    without_wine="size|handset"
    not_run=$(ctest --preset win32 -N -LE "$without_wine" | sed -n 's/^Total Tests: //p')
    echo "!! the x86 root could not be made or run here (see $log/x86-root.log):"
    echo "   the x86 build's ${not_run:-?} Windows tests are skipped; its size and call checks run"
    skipped=$((skipped + ${not_run:-0}))
    run_tests win32 -L "$without_wine"
}

for preset in native native-asan armhf win64 win32 handset-arm; do
    step "configure-$preset" cmake --preset "$preset" &&
        step "build-$preset" cmake --build --preset "$preset" || continue
    if [ "$preset" = win32 ]; then run_x86_tests; else run_tests "$preset"; fi
done

if [ "$skipped" -gt 0 ]; then
    echo "$passed passed, $failed failed, $skipped skipped"
else
    echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
