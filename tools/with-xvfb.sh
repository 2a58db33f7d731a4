#!/usr/bin/env bash
# Runs a command on a fresh virtual X server (800x600, 24-bit, with GLX) and
# stops the server afterwards. Mesa's software renderer gives real OpenGL there.
# usage: tools/with-xvfb.sh COMMAND [ARGS...]
set -euo pipefail
dir=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -rf "$dir"' EXIT
Xvfb -displayfd 5 -screen 0 800x600x24 -nolisten tcp +extension GLX +extension RANDR 5>"$dir/display" \
  >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [[ -s "$dir/display" ]] && break
  sleep 0.1
done
if [[ ! -s "$dir/display" ]]; then
  echo "with-xvfb: the virtual X server did not start:" >&2
  cat "$dir/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$dir/display")"
"$@"
