#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for SECONDS (default 60) over its seed corpus
# fuzz/corpus/<target>/ and fails when a target finds a crash or a failed check.
#   fuzz/run.sh BUILD_DIR [SECONDS]
# New inputs the fuzzer finds go to BUILD_DIR/fuzz/corpus/<target>/ (kept between runs,
# never into the seeds); a crashing input goes to BUILD_DIR/fuzz/artifacts/<target>/.
# The pages and files the targets write go to a temporary folder, under /dev/shm when it
# exists (FUZZ_TMPDIR overrides), so that syncing the safely saved files costs nothing.
# Extra libFuzzer options can be given in FUZZ_ARGS, e.g. FUZZ_ARGS="-jobs=2".
set -uo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 BUILD_DIR [SECONDS]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd) || exit 2
seconds=${2:-60}
if [ -z "${FUZZ_TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    FUZZ_TMPDIR=/dev/shm
fi
TMPDIR=$(mktemp -d "${FUZZ_TMPDIR:-${TMPDIR:-/tmp}}/tabrino-fuzz-run-XXXXXX") || exit 2
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT

status=0
for target in fuzz_wfm fuzz_merge fuzz_splice; do
    exe=$build/fuzz/$target
    if [ ! -x "$exe" ]; then
        echo "$exe is missing: configure with CXX=clang++ -DTABRINO_FUZZ=ON and build" >&2
        exit 2
    fi
    # The merge and splice targets take pages of up to 192 KiB, so that the line buffer's 32 KiB write
    # pieces and lines longer than a piece are reached (the seed corpus holds a 70 KiB page).
    case $target in
        fuzz_wfm) dict=$here/wfm.dict; max_len=4096 ;;
        fuzz_merge) dict=$here/merge.dict; max_len=196608 ;;
        fuzz_splice) dict=$here/merge.dict; max_len=196608 ;;
    esac
    corpus=$build/fuzz/corpus/$target
    artifacts=$build/fuzz/artifacts/$target
    log=$build/fuzz/$target.log
    mkdir -p "$corpus" "$artifacts"
    echo "== $target: ${seconds}s, log in $log"
    # shellcheck disable=SC2086
    "$exe" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -max_len="$max_len" \
        -dict="$dict" -artifact_prefix="$artifacts/" ${FUZZ_ARGS:-} \
        "$corpus" "$here/corpus/$target" >"$log" 2>&1
    result=$?
    grep -E '^#[0-9]+[[:space:]].*cov:' "$log" | tail -n 1
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log"
    if [ $result -ne 0 ]; then
        echo "!! $target FAILED (exit $result); the end of its log:"
        tail -n 40 "$log"
        ls -l "$artifacts"
        status=1
    else
        echo "   $target: no crash"
    fi
done
exit $status
