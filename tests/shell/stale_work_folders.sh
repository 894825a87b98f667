#!/usr/bin/env bash
# Start-up removes the work folders that killed runs left in the program
# folder, and never the work folder of a run that still goes on, nor a
# folder that is no work folder of ours. Real runs of the program, started
# headless from one program folder and killed with SIGKILL.
set -u
exe="$1"
dir="$(mktemp -d /tmp/zm_stale_XXXXXX)"
cp "$exe" "$dir/"
program="$dir/$(basename "$exe")"
cd "$dir"
export QT_QPA_PLATFORM=offscreen
failures=0
pids=()

finish() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2> /dev/null; wait "$pid" 2> /dev/null; done
  if [ $failures -ne 0 ]; then
    ls -la "$dir"
    cat "$dir"/out.*.log
  fi
  cd /
  rm -rf "$dir"
}
trap finish EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Starts a run; its pid lands in $started.
start() {
  "$program" > "out.$RANDOM.log" 2>&1 &
  started=$!
  pids+=("$started")
}

# The work folder that a run has marked with its pid, once it has one.
folderOf() {
  local pid=$1
  for _ in $(seq 1 80); do
    for marker in _temp_*/.zembrik-work; do
      [ -f "$marker" ] && [ "$(cat "$marker")" = "$pid" ] && { dirname "$marker"; return 0; }
    done
    sleep 0.25
  done
  return 1
}

kill9() {
  kill -9 "$1" 2> /dev/null
  wait "$1" 2> /dev/null
}

expectFolder() { [ -d "$1" ] || fail "$1 was removed ($2)"; }
expectGone() { [ -e "$1" ] && fail "$1 is still there ($2)"; }
# The live run's folder, with what it was given, still its own.
expectLive() {
  [ "$(cat "$2/.zembrik-work" 2> /dev/null)" = "$1" ] && [ -f "$2/picked.wav" ] || fail "the work of the live run $1 in $2 is gone"
}
# A later run may take the name of a killed run's folder for its own.
expectRunGone() {
  [ -d "$2" ] && [ "$(cat "$2/.zembrik-work" 2> /dev/null)" = "$1" ] && fail "$2 of the killed run $1 is still there"
  [ -e "$2/picked.wav" ] && fail "$2 still holds the killed run's file"
}

# A run that goes on all along.
start
live=$started
liveFolder=$(folderOf "$live") || { fail "no work folder of the run $live"; exit 1; }
echo "picked" > "$liveFolder/picked.wav"

# Two runs started at once, whose folders could take one name: the second
# takes the next second's. Both are killed.
start
first=$started
start
second=$started
firstFolder=$(folderOf "$first") || { fail "no work folder of the run $first"; exit 1; }
secondFolder=$(folderOf "$second") || { fail "no work folder of the run $second"; exit 1; }
[ "$firstFolder" != "$secondFolder" ] || fail "two runs share $firstFolder"
expectLive "$live" "$liveFolder"
kill9 "$first"
kill9 "$second"
echo "picked" > "$firstFolder/picked.wav"
echo "picked" > "$secondFolder/picked.wav"

# An older version's folder (no marker), one that is no work folder by its
# contents, names that are not work folder names, and a link.
mkdir _temp_000001 && echo "old" > _temp_000001/old.wav
mkdir -p _temp_000002/sub
for odd in _temp_12345 _temp_abcdef _TEMP_123456 x_temp_123456 _temp_1234567; do
  mkdir "$odd" && echo 1 > "$odd/.zembrik-work"
done
mkdir elsewhere && echo 1 > elsewhere/.zembrik-work && echo "mine" > elsewhere/keep
ln -s elsewhere _temp_000003

start
third=$started
thirdFolder=$(folderOf "$third") || { fail "no work folder of the run $third"; exit 1; }
expectRunGone "$first" "$firstFolder"
expectRunGone "$second" "$secondFolder"
expectLive "$live" "$liveFolder"
expectFolder _temp_000001 "an older version's while a run goes on here"
for odd in _temp_000002 _temp_12345 _temp_abcdef _TEMP_123456 x_temp_123456 _temp_1234567; do
  expectFolder "$odd" "no work folder of ours"
done
[ -L _temp_000003 ] && [ -f elsewhere/keep ] || fail "the link or what it points at was removed"

# With no run left, the next start-up removes the killed runs' folders and
# the older version's, and still nothing else.
kill9 "$live"
kill9 "$third"
echo "picked" > "$thirdFolder/picked.wav"
start
last=$started
lastFolder=$(folderOf "$last") || { fail "no work folder of the run $last"; exit 1; }
expectRunGone "$live" "$liveFolder"
expectRunGone "$third" "$thirdFolder"
expectGone _temp_000001 "an older version's with no run here"
expectFolder _temp_000002 "holds a folder"
expectFolder "$lastFolder" "its own"
[ -L _temp_000003 ] && [ -f elsewhere/keep ] || fail "the link or what it points at was removed"

exit $((failures != 0))
