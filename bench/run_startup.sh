#!/usr/bin/env bash
# Start-up time and peak memory against the smallest Qt Widgets program, under a virtual display.
#   bench/run_startup.sh [RUNS]      (default 30; builds into build-bench, Release)
# ZUVRACK_BENCH_BEFORE=<an older build's bench/zuvrack_startup> also runs that one, interleaved with
# the new one, so that a change is measured side by side under the same load.
set -euo pipefail
runs="${1:-30}"
src="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZUVRACK_BENCH_BUILD:-$src/build-bench}"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target minimal_window zuvrack_startup startup_harness >/dev/null
cd "$build/bench"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
# Ahead of other work on the machine (builds, mostly) where we may: the virtual display and the
# programs measured inherit it.
prio=()
if [ "$(id -u)" = 0 ]; then prio=(nice -n -10); fi
programs=(minimal=./minimal_window text=./minimal_window,text floor=./minimal_window,floor)
if [ -n "${ZUVRACK_BENCH_BEFORE:-}" ]; then
    # Beside the new one, so that it finds the same data folder.
    cp "$ZUVRACK_BENCH_BEFORE" ./zuvrack_startup_before
    for mark in main wizard describe; do
        programs+=("before.$mark=./zuvrack_startup_before,$mark" "$mark=./zuvrack_startup,$mark")
    done
else
    programs+=(main=./zuvrack_startup,main wizard=./zuvrack_startup,wizard describe=./zuvrack_startup,describe)
fi
exec "${prio[@]}" xvfb-run -a ./startup_harness "$runs" "${programs[@]}"
