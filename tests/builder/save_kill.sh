#!/bin/bash
# A save killed at each of its file steps in turn (SIGKILL, as a crash
# would end it) leaves a project that the next Open, or the next save, puts
# back whole: the old project or the new one, byte for byte. The game files
# are written after the project, so a new project may have its old game.
# Usage: save_kill.sh <save_kill program>
set -u
program=$1
work=$(mktemp -d /tmp/zm_save_kill_XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

mkdir old && (cd old && "$program" old) || { echo "the old project was not saved"; exit 1; }
cp -a old new && (cd new && "$program" save) || { echo "the new project was not saved"; exit 1; }

# The temporary files of a save cut off before its journal are left for the
# next save to remove; nothing else may differ.
sameProject() {
  diff -r -x '.zmtmp-??????' -x '.zmtmp-game-??????' -x game.js -x index.html \
    "$1/Projects" "$2/Projects" > /dev/null
}
sameGame() {
  cmp -s "$1/Projects/game/game.js" "$2/Projects/game/game.js" &&
    cmp -s "$1/Projects/game/index.html" "$2/Projects/game/index.html"
}
state() {
  local project=mixed game=mixed
  if sameProject "$1" old; then project=old; elif sameProject "$1" new; then project=new; fi
  if sameGame "$1" old; then game=old; elif sameGame "$1" new; then game=new; fi
  echo "$project-$game"
}

failures=0
seen=" "
for ((n = 1; n < 1000; n++)); do
  rm -rf run && cp -a old run
  # The braces keep the shell's own "Killed" notice out of the log.
  { (cd run && ZM_KILL_AT_STEP=$n "$program" save); } 2> /dev/null
  status=$?
  [ $status -eq 0 ] && break   # the save ran through before step n
  if [ $status -ne 137 ]; then
    echo "step $n: the save ended with status $status, not by the kill"
    failures=$((failures + 1))
    continue
  fi
  rm -rf again && cp -a run again
  if ! (cd run && "$program" open); then
    echo "step $n: the project did not open"
    failures=$((failures + 1))
    continue
  fi
  opened=$(state run)
  case $opened in
    old-old | new-old | new-new) ;;
    *) echo "step $n: Open left the project $opened"; failures=$((failures + 1)) ;;
  esac
  [[ $seen == *" $opened "* ]] || seen="$seen$opened "
  (cd again && "$program" save) || { echo "step $n: the next save failed"; failures=$((failures + 1)); }
  saved=$(state again)
  [ "$saved" = new-new ] || { echo "step $n: the next save left the project $saved"; failures=$((failures + 1)); }
done
echo "killed at $((n - 1)) steps; Open found:$seen"
[ "$(state run)" = new-new ] || { echo "the save that ran through left $(state run)"; failures=$((failures + 1)); }
for expected in old-old new-old new-new; do
  [[ $seen == *" $expected "* ]] || { echo "no kill left $expected"; failures=$((failures + 1)); }
done
[ $failures -eq 0 ]
