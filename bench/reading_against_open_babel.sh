#!/usr/bin/env bash
# Reading a Gaussian 16 optimisation (50 atoms × 1,000 steps, about 34 MB,
# written by ravek_bench_readers --write-inputs) by RAVEK and by Open Babel,
# one after the other in the same minute: whole processes, each reading
# every step and writing almost nothing, the median of RUNS wall times each.
#
#   bench/reading_against_open_babel.sh [BUILD_DIR [RUNS]]
#
# Needs Open Babel's obabel (Debian's openbabel package; a test oracle only,
# never linked). BUILD_DIR defaults to build-release (./build.sh bench).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
runs=${2:-9}
command -v obabel >/dev/null || { echo "obabel is not installed (apt install openbabel)" >&2; exit 2; }
inputs=$(mktemp -d)
trap 'rm -rf "$inputs"' EXIT
"$build/bench/ravek_bench_readers" --write-inputs "$inputs"
job=$inputs/job.log

# Wall time of one run of the command, in ms.
time_ms() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

ravek=() babel=()
for ((i = 0; i < runs; i++)); do
    ravek+=("$(time_ms "$build/cli/ravek-cli" info --frames none "$job")")
    babel+=("$(time_ms obabel -ilog "$job" -oxyz -O "$inputs/last.xyz")")
done
r=$(printf '%s\n' "${ravek[@]}" | median)
b=$(printf '%s\n' "${babel[@]}" | median)
echo "$(du -m "$job" | cut -f1) MB Gaussian 16 optimisation, median of $runs runs:"
echo "  ravek-cli info --frames none: $r ms"
echo "  obabel -ilog ... -oxyz:       $b ms"
awk -v r="$r" -v b="$b" 'BEGIN { printf "  RAVEK reads it %.1f times as fast\n", b / r }'
