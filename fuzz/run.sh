#!/bin/sh
# Runs every libFuzzer target of a fuzz build for SECONDS each, one after the
# other, starting from a working copy of its seed corpus, and prints each
# target's executions, their average per second, the coverage of its last
# status line (cov, ft) and its corpus size. Exits non-zero when any
# target finds something (crash, leak, timeout, memory limit, left-over file).
#
#   fuzz/run.sh BUILD_DIR SECONDS
#
# BUILD_DIR/fuzz-corpus/<target>/   working corpus (the committed seeds are
#                                   copied in and never written to); it is
#                                   kept, so later runs go on from it
# BUILD_DIR/fuzz-artifacts/         reproducers of findings: <target>-crash-...
# BUILD_DIR/fuzz-logs/<target>.log  libFuzzer's output
#
# FUZZ_TARGETS="fuzz_w2d_reader fuzz_plot_reader" limits the run to those.
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$(cd "$1" && pwd) || exit 2
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
targets=${FUZZ_TARGETS:-"fuzz_zip_reader fuzz_xml_documents fuzz_w2d_reader fuzz_plot_reader fuzz_w2d_round_trip fuzz_plot_round_trip"}

# A small quarantine keeps the resident size well below the limit: past half
# of it libFuzzer purges the allocator every second, and returning memory to
# the system then costs more than the target itself. Options given by the
# caller come later and win.
ASAN_OPTIONS="quarantine_size_mb=32:${ASAN_OPTIONS:-}"
export ASAN_OPTIONS

artifacts=$build/fuzz-artifacts
logs=$build/fuzz-logs
mkdir -p "$artifacts" "$logs" || exit 2

dictionary_of() {
    case $1 in
        fuzz_w2d_reader) echo "$here/w2d.dict" ;;
        fuzz_xml_documents) echo "$here/xml.dict" ;;
        *) echo "" ;;
    esac
}

status=0
printf '%-20s %10s %8s %8s %8s %8s %s\n' target runs exec/s cov ft corpus result
for target in $targets; do
    binary=$build/fuzz/$target
    if [ ! -x "$binary" ]; then
        echo "$target: $binary is missing (build the dwfplot_fuzzers target)" >&2
        status=1
        continue
    fi
    corpus=$build/fuzz-corpus/$target
    mkdir -p "$corpus"
    # Seeds the working copy lacks are added; grown inputs stay.
    for seed in "$here/corpus/$target"/*; do
        [ -f "$seed" ] || continue
        [ -e "$corpus/$(basename "$seed")" ] || cp "$seed" "$corpus/"
    done
    dict=$(dictionary_of "$target")
    log=$logs/$target.log
    before=$(ls "$artifacts" | grep -c "^$target-")
    set -- -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-"
    [ -n "$dict" ] && [ -f "$dict" ] && set -- "$@" -dict="$dict"
    "$binary" "$@" "$corpus" >"$log" 2>&1
    rc=$?
    after=$(ls "$artifacts" | grep -c "^$target-")
    last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1)
    field() { echo "$last" | sed -n "s|.* $1: *\([0-9]*\).*|\1|p"; }
    speed=$(sed -n 's|^stat::average_exec_per_sec: *\([0-9]*\).*|\1|p' "$log")
    runs=$(sed -n 's|^stat::number_of_executed_units: *\([0-9]*\).*|\1|p' "$log")
    result=ok
    if [ $rc -ne 0 ] || [ "$after" -ne "$before" ]; then
        result="FOUND (exit $rc, see $log)"
        status=1
    fi
    printf '%-20s %10s %8s %8s %8s %8s %s\n' "$target" "$runs" "$speed" "$(field cov)" "$(field ft)" \
        "$(ls "$corpus" | wc -l)" "$result"
    if [ "$result" != ok ]; then
        grep -E 'ERROR|SUMMARY|Test unit written|fuzz workspace|broke a promise|no progress' "$log" | head -n 20 >&2
    fi
done
exit $status
