#!/bin/sh
# Configures and builds every preset, runs every test suite, and ends with
# one line "N passed, N failed". Exits non-zero when anything failed. Each
# step's time is printed, so a slow machine shows where the minutes go.
set -u
cd "$(dirname "$0")/.."

passed=0
failed=0
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

run_tests() {  # preset: counts from ctest's JUnit report, one testcase per test
    echo "== test $1"
    started=$(date +%s)
    report=$PWD/$log/test-$1.xml
    rm -f "$report"
    ctest --preset "$1" --output-junit "$report" >"$log/test-$1.log" 2>&1
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
    # The x86 programs that passed are the ones `make dist` may hand out.
    [ "$1" != win32 ] || [ "$bad" -ne 0 ] || tools/x86-proof record
}

step install tools/install-deps.sh || { echo "0 passed, $failed failed"; exit 1; }
# Wine 10 for the x86 programs: made once per machine (about a minute), kept
# outside the work tree.
step wine10-root tools/wine10-root ensure

for preset in native native-asan win64 win32 handset-arm; do
    step "configure-$preset" cmake --preset "$preset" &&
        step "build-$preset" cmake --build --preset "$preset" &&
        run_tests "$preset"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
