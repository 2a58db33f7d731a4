#!/usr/bin/env bash
# Runs a program on the current display for some seconds, saves a screenshot
# of the whole screen, then asks the program to quit with Escape (and with
# SIGTERM if it is still running a moment later).
# usage: tools/screenshot-run.sh PROGRAM SCREENSHOT.png SECONDS
set -euo pipefail
program=$1 shot=$2 seconds=$3
"$program" &
pid=$!
sleep "$seconds"
import -window root "$shot"
xdotool key Escape 2>/dev/null || true
for _ in $(seq 1 20); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -TERM "$pid" 2>/dev/null || true
wait "$pid"
