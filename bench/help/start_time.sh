#!/bin/bash
# Times zembrik-help from its start until its window shows on an X display,
# a few runs. Usage: bench/help/start_time.sh BUILD_FOLDER [RUNS]
# Needs DISPLAY set (e.g. Xvfb with a window manager) and xdotool.
set -euo pipefail
program="${1:?build folder}/zembrik-help"
runs="${2:-5}"
for ((i = 1; i <= runs; i++)); do
  start=$(date +%s%N)
  "$program" 2>/dev/null &
  pid=$!
  # xdotool's own --sync looks only every half second.
  until xdotool search --onlyvisible --name "Zembrik Game Maker - Help" >/dev/null 2>&1; do
    sleep 0.005
  done
  end=$(date +%s%N)
  echo "run $i: $(( (end - start) / 1000000 )) ms to the window"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
