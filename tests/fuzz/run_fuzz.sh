#!/bin/sh
# Fuzzes the project-file reader, then the wizard engine, each for the given number of seconds (60
# if none) in a clang build of its own, under AddressSanitizer and UndefinedBehaviorSanitizer.
# Exits non-zero on any finding; the input that caused it is left in build-fuzz/findings/ (keep it
# in tests/fuzz/regressions/).
set -eu

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build="${ZUVRACK_FUZZ_BUILD:-$root/build-fuzz}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$flags" \
    -DBUILD_TESTING=ON \
    -DZUVRACK_FUZZ=ON >/dev/null
cmake --build "$build" --target projectfile_fuzz wizard_fuzz

corpus="$build/corpus"
findings="$build/findings"
mkdir -p "$corpus" "$findings"
cp "$here"/seeds/* "$corpus"/

# The regression inputs are run first, then the fuzzer grows the corpus for the time given.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
"$build/tests/fuzz/projectfile_fuzz" \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -timeout=10 \
    -print_final_stats=1 \
    -artifact_prefix="$findings/" \
    "$corpus" "$here/regressions"

# Random answer sequences against the wizard engine; the target aborts when the records break.
mkdir -p "$build/wizard-corpus"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
"$build/tests/wizardfuzz/wizard_fuzz" \
    -max_total_time="$seconds" \
    -max_len=4096 \
    -timeout=10 \
    -print_final_stats=1 \
    -artifact_prefix="$findings/wizard-" \
    "$build/wizard-corpus"
