#!/usr/bin/env bash
# Fuzzes every reader of outside files. Builds the libFuzzer targets in a
# clang build of their own (only they and the libraries they need), replays
# each target's corpus (tests/fuzz/<target>/), then fuzzes each target for
# FUZZ_SECONDS (30), several targets at a time, with 2 GB of memory and 1 s
# an input. Any crash, leak, hang or out-of-memory fails the run; the input
# that shows it is left in <build>/findings/<target>/.
#
#   FUZZ_SECONDS=0       replay the corpora only
#   FUZZ_TARGETS="a b"   only these targets (default: every target built)
#   FUZZ_JOBS=n          targets fuzzed at the same time (default: up to 4)
#   FUZZ_BUILD=folder    build folder (default: build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${FUZZ_SECONDS:-30}"
cores="$(nproc)"
jobs="${FUZZ_JOBS:-$(( cores < 4 ? cores : 4 ))}"
build="${FUZZ_BUILD:-build-fuzz}"

CC=clang CXX=clang++ cmake -S . -B "$build" -DZM_FUZZ=ON -DZM_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$cores" --target zm_fuzz_targets

read -r -a targets <<<"${FUZZ_TARGETS:-$(tr '\n' ' ' <"$build/fuzz_targets.txt")}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

fuzz_one() {
  local target="$1" seconds="$2" root="$3" build="$4"
  local program="$root/$build/zm_fuzz_$target" corpus="$root/tests/fuzz/$target"
  local out="$root/$build/findings/$target"
  rm -rf "$out"
  mkdir -p "$out/new"
  local options=(-rss_limit_mb=2048 -timeout=1 -artifact_prefix="$out/")
  [ -f "$root/tests/fuzz/$target.dict" ] && options+=(-dict="$root/tests/fuzz/$target.dict")
  # Every input of the corpus once, then new ones for the time given; new
  # finds go to a scratch folder, not into the tree.
  if ! "$program" "${options[@]}" -runs=0 "$corpus" >"$out/replay.log" 2>&1; then
    echo "fuzz $target: an input of the corpus fails"; tail -n 40 "$out/replay.log"; return 1
  fi
  if [ "$seconds" -gt 0 ] &&
     ! "$program" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
       "$out/new" "$corpus" >"$out/fuzz.log" 2>&1; then
    echo "fuzz $target: found a fault"; tail -n 60 "$out/fuzz.log"; return 1
  fi
  echo "fuzz $target: corpus replayed, $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' \
    "$out/fuzz.log" 2>/dev/null | grep -o '[0-9]*$' || echo 0) inputs run"
}
export -f fuzz_one

status=0
printf '%s\n' "${targets[@]}" |
  xargs -P "$jobs" -I{} bash -c 'fuzz_one "$@"' _ {} "$seconds" "$root" "$build" |
  tee "$build/fuzz_summary.log" || status=$?
passed=$(grep -c ': corpus replayed' "$build/fuzz_summary.log" || true)
failed=$(( ${#targets[@]} - passed ))
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit "$status"
