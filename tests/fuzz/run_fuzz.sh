#!/bin/sh
# Fuzzes the project-file reader, then the wizard engine, then free edit, each for the given number
# of seconds (60 if none) in a clang build of its own, under AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on any finding; the input that caused it is left in
# build-fuzz/findings/ (keep a project file that did in tests/fuzz/regressions/).
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
# wizard_fuzz brings its seeds along: the stored descriptions' answer scripts, converted.
cmake --build "$build" --target projectfile_fuzz wizard_fuzz freeedit_fuzz

findings="$build/findings"
mkdir -p "$findings"

# One fuzzer for the time given: fuzz <target> <finding prefix> <longest input> <seconds an input
# may take> <corpus folders...>; the first folder grows, the others (regressions) are run first.
fuzz() {
    target=$1 prefix=$2 max_len=$3 timeout=$4
    shift 4
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/tests/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout="$timeout" \
        -print_final_stats=1 -artifact_prefix="$findings/$prefix" "$@"
}

# The project-file reader, from the seeds.
mkdir -p "$build/corpus"
cp "$here"/seeds/* "$build/corpus"/
fuzz fuzz/projectfile_fuzz "" 65536 10 "$build/corpus" "$here/regressions"

# Answer sequences against the wizard engine, grown from the stored descriptions; the target aborts
# when the records break.
mkdir -p "$build/wizard-corpus"
cp "$build"/tests/wizardfuzz/seeds/* "$build/wizard-corpus"/
fuzz wizardfuzz/wizard_fuzz wizard- 4096 10 "$build/wizard-corpus"

# Project files through free edit: every value edited, saved and read back. The seeds are the
# reader's and the program's samples; the answers come from bytes after the last whole record.
mkdir -p "$build/freeedit-corpus"
cp "$here"/seeds/* "$root"/data/samples/*.zvr "$build/freeedit-corpus"/
fuzz fuzz/freeedit_fuzz freeedit- 65536 20 "$build/freeedit-corpus" "$here/regressions"
