#!/bin/sh
# Runs the benchmarks of dwfplot_benchmarks and prints the table of
# docs/PERFORMANCE.md.
#
#   bench/run.sh BUILD_DIR [REPETITIONS]
#
# Every case runs in a process of its own, so that the peak resident memory
# reported for it (getrusage ru_maxrss, a per-process high-water mark) is its
# own. The cases of one page size run one after the other, so that each ratio
# compares figures taken side by side. Times are the least of REPETITIONS
# runs (default 3): the run least disturbed by other work on the machine.
set -eu

build=${1:?usage: bench/run.sh BUILD_DIR [REPETITIONS]}
repetitions=${2:-3}
program=$build/bench/dwfplot_benchmarks
data=$build/bench-data
results=$data/results.csv

[ -x "$program" ] || { echo "no $program: build the target dwfplot_benchmarks first" >&2; exit 1; }
export DWFPLOT_BENCH_DATA="$data"
# The writers' page streams and the readers' extracted entries go here too.
mkdir -p "$data/tmp"
export TMPDIR="$data/tmp"

echo "preparing the packages of 10^5, 10^6 and 10^7 line points in $data ..."
"$program" --prepare

: > "$results"
for size in 100000 1000000 10000000; do
    for case in Writer Deflate Reader Inflate ReadExtracted HostGenerator CoordinateConversion; do
        echo "  $case/$size" >&2
        "$program" --benchmark_filter="^$case/$size/" --benchmark_repetitions="$repetitions" \
            --benchmark_report_aggregates_only=true --benchmark_format=csv >> "$results" 2>/dev/null
    done
done

awk -F, '
function ratio(a, b) { return b > 0 ? a / b : 0 }
/^name,/ {
    for (i = 1; i <= NF; i++) { field = $i; gsub(/"/, "", field); column[field] = i }
    next
}
{
    name = $1; gsub(/"/, "", name)
    split(name, part, "/")
    kind = part[1]; size = part[2]
    # One repetition gives one plain row; more give the aggregates only.
    statistic = "single"
    if (name ~ /_(mean|median|stddev|cv|min|max)$/) { statistic = name; sub(/.*_/, "", statistic) }
    if (statistic == "min" || statistic == "single") {
        wall[kind, size] = $column["real_time"]
        cpu[kind, size] = $column["cpu_time"]
    }
    if (statistic == "max" || statistic == "single") {
        rss[kind, size] = $column["peak_rss_MiB"]
        startup[kind, size] = $column["startup_rss_MiB"]
        w2d[size] = $column["w2d_MiB"]
    }
}
END {
    printf "wall time in ms (least of the repetitions); ratio = wall-time ratio, (cpu) = process CPU-time ratio\n\n"
    printf "%-9s %7s | %8s %8s %6s %6s %7s %7s | %8s %8s %6s %6s %6s | %7s %7s %7s\n", \
        "points", "W2D MiB", "writer", "deflate", "ratio", "(cpu)", "host", "coords", \
        "reader", "inflate", "read", "ratio", "(cpu)", "writer", "reader", "process"
    printf "%-9s %7s | %8s %8s %6s %6s %7s %7s | %8s %8s %6s %6s %6s | %7s %7s %7s\n", \
        "", "", "", "floor", "<=1.3", "", "alone", "alone", "", "floor", "floor", "<=2", "", \
        "RSS MiB", "RSS MiB", "start"
    n = split("100000 1000000 10000000", sizes, " ")
    for (i = 1; i <= n; i++) {
        s = sizes[i]
        printf "%-9s %7.1f | %8.1f %8.1f %6.2f %6.2f %7.1f %7.1f | %8.1f %8.1f %6.2f %6.2f %6.2f | %7.1f %7.1f %7.1f\n", \
            s, w2d[s], wall["Writer", s], wall["Deflate", s], ratio(wall["Writer", s], wall["Deflate", s]), \
            ratio(cpu["Writer", s], cpu["Deflate", s]), wall["HostGenerator", s], wall["CoordinateConversion", s], \
            wall["Reader", s], wall["Inflate", s], wall["ReadExtracted", s], \
            ratio(wall["Reader", s], wall["Inflate", s] + wall["ReadExtracted", s]), \
            ratio(cpu["Reader", s], cpu["Inflate", s] + cpu["ReadExtracted", s]), \
            rss["Writer", s], rss["Reader", s], startup["Writer", s]
    }
}' "$results"
