#!/bin/sh
# Configures and builds every preset, runs every test suite, and ends with
# one line "N passed, N failed". Exits non-zero when anything failed.
set -u
cd "$(dirname "$0")/.."

passed=0
failed=0
log=build/test-logs
mkdir -p "$log"

step() {  # name, command...: a failing build step counts as one failure
    name=$1; shift
    echo "== $name"
    if "$@" >"$log/$name.log" 2>&1; then
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

run_tests() {  # preset
    echo "== test $1"
    ctest --preset "$1" >"$log/test-$1.log" 2>&1
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log/test-$1.log" | tail -n 1)
    if [ -z "$summary" ]; then
        tail -n 40 "$log/test-$1.log"
        echo "!! ctest $1 gave no summary (full log: $log/test-$1.log)"
        failed=$((failed + 1))
        return
    fi
    total=$(echo "$summary" | sed -E 's/.* out of ([0-9]+).*/\1/')
    bad=$(echo "$summary" | sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    echo "   $summary"
    [ "$bad" -eq 0 ] || { failed_output "$log/test-$1.log"; sed -n '/The following tests FAILED/,$p' "$log/test-$1.log"; }
}

step install tools/install-deps.sh || { echo "0 passed, $failed failed"; exit 1; }

for preset in native native-asan win64 win32 handset-arm; do
    step "configure-$preset" cmake --preset "$preset" &&
        step "build-$preset" cmake --build --preset "$preset" &&
        run_tests "$preset"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
