#!/bin/sh
# Runs the benchmarks of dwfplot_benchmarks and prints the tables of
# docs/PERFORMANCE.md: pages of 10^5 to 10^7 line points, then plots of many
# pages.
#
#   bench/run.sh BUILD_DIR [REPETITIONS]
#
# Environment:
#   PAGE_COUNTS="10 100 1000"  the page counts of the second table (default 10 100 1000 10000)
#   PAGES_ONLY=1               only the second table
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

# Google Benchmark's CSV, as both tables read it: columns by name, and for
# each row the case (kind), its argument, and whether the row is the least
# (times) or the largest (peak memory) of the repetitions. One repetition
# gives one plain row; more give the aggregates only.
read_rows='
/^name,/ {
    for (i = 1; i <= NF; i++) { field = $i; gsub(/"/, "", field); column[field] = i }
    next
}
{
    name = $1; gsub(/"/, "", name)
    split(name, part, "/")
    kind = part[1]; argument = part[2]
    statistic = "single"
    if (name ~ /_(mean|median|stddev|cv|min|max)$/) { statistic = name; sub(/.*_/, "", statistic) }
    least = statistic == "min" || statistic == "single"
    largest_row = statistic == "max" || statistic == "single"
}'

page_counts=${PAGE_COUNTS:-10 100 1000 10000}
# The program registers its page-count cases for these counts.
export PAGE_COUNTS="$page_counts"
pages_results=$data/pages.csv

# Plots of many pages: each case's time per page and peak memory.
pages_table() {
    echo "preparing the packages of $page_counts pages in $data ..."
    "$program" --prepare-pages

    : > "$pages_results"
    for pages in $page_counts; do
        for case in PagesWrite PagesOpen PagesReplay; do
            echo "  $case/$pages" >&2
            "$program" --benchmark_filter="^$case/$pages/" --benchmark_repetitions="$repetitions" \
                --benchmark_report_aggregates_only=true --benchmark_format=csv >> "$pages_results" 2>/dev/null
        done
    done

    echo
    awk -F, -v counts="$page_counts" "$read_rows"'
    {
        pages = argument
        if (least) {
            wall[kind, pages] = $column["real_time"]
            cpu[kind, pages] = $column["cpu_time"]
        }
        if (largest_row) rss[kind, pages] = $column["peak_rss_MiB"]
        seen[kind, pages] = 1
        if ($column["error_occurred"] ~ /true/) failed[kind, pages] = 1
    }
    function perPage(kind, pages) { return wall[kind, pages] / pages }
    function ratios(time, largest, k) {
        for (k = 1; k <= n; k++) {
            if ((kinds[k], 100) in seen && (kinds[k], largest) in seen && !((kinds[k], 100) in failed) \
                && !((kinds[k], largest) in failed) && time[kinds[k], 100] > 0) {
                printf "  %s %.2f", label[k], time[kinds[k], largest] / largest / (time[kinds[k], 100] / 100)
            } else {
                printf "  %s -", label[k]
            }
        }
        printf "\n"
    }
    function cell(kind, pages) {
        if (!((kind, pages) in seen)) return sprintf("%7s %12s %8s", "-", "-", "-")
        if ((kind, pages) in failed) return sprintf("%7s %12s %8s", "failed", "-", "-")
        return sprintf("%7.3f %12.3f %8.1f", wall[kind, pages] / 1000, perPage(kind, pages), rss[kind, pages])
    }
    END {
        n = split("PagesWrite PagesOpen PagesReplay", kinds, " ")
        split("write open replay", label, " ")
        printf "wall time (least of the repetitions), per page = wall time / pages, peak RSS of the process\n\n"
        printf "%6s | %7s %12s %8s | %7s %12s %8s | %7s %12s %8s\n", "pages", "write s", "per page ms", \
            "RSS MiB", "open s", "per page ms", "RSS MiB", "replay s", "per page ms", "RSS MiB"
        count = split(counts, list, " ")
        largest = 0
        for (i = 1; i <= count; i++) {
            p = list[i] + 0
            if (p > largest) largest = p
            printf "%6d | %s | %s | %s\n", p, cell("PagesWrite", p), cell("PagesOpen", p), cell("PagesReplay", p)
        }
        if (largest > 100) {
            printf "\n%-58s", sprintf("per-page cost at %d pages / at 100 pages (goal <= 1.5):", largest)
            ratios(wall, largest)
            # Process CPU time: the same ratios, less disturbed by other work and by the disk.
            printf "%-58s", "the same from process CPU time:"
            ratios(cpu, largest)
        } else {
            printf "\nper-page cost ratio: needs 100 pages and a larger count\n"
        }
        peak = 0
        for (k = 1; k <= n; k++) {
            if ((kinds[k], 10000) in seen && rss[kinds[k], 10000] > peak) peak = rss[kinds[k], 10000]
        }
        if (peak > 0) {
            printf "peak RSS at 10000 pages: %.1f MiB, under 64 MiB: %s\n", peak, peak < 64 ? "yes" : "no"
        } else {
            printf "peak RSS at 10000 pages: not run\n"
        }
    }' "$pages_results"
}

if [ "${PAGES_ONLY:-0}" = 1 ]; then
    pages_table
    exit 0
fi

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

awk -F, "$read_rows"'
function ratio(a, b) { return b > 0 ? a / b : 0 }
{
    size = argument
    if (least) {
        wall[kind, size] = $column["real_time"]
        cpu[kind, size] = $column["cpu_time"]
    }
    if (largest_row) {
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

echo
pages_table
