#!/usr/bin/env bash
# A real display-mode switch: on an X server with the dummy video driver whose
# screen starts at 1024x768, the game must switch the display to 800x600 and
# give 1024x768 back when it ends. Skipped (77) where no such server can run.
set -u
game=$1 config=$2
dir=$(mktemp -d)
server_pid=
cleanup() {
  [[ -n "$server_pid" ]] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
command -v Xorg >/dev/null || { echo "no Xorg"; exit 77; }
[[ $(id -u) -eq 0 ]] || { echo "Xorg with the dummy driver needs root here"; exit 77; }
Xorg -displayfd 5 -noreset -nolisten tcp -config "$config" -logfile "$dir/xorg.log" 5>"$dir/display" \
  >"$dir/out.log" 2>&1 &
server_pid=$!
for _ in $(seq 1 100); do
  [[ -s "$dir/display" ]] && break
  sleep 0.1
done
[[ -s "$dir/display" ]] || { echo "Xorg did not start"; cat "$dir/out.log"; exit 77; }
export DISPLAY=":$(head -n1 "$dir/display")"

root_size() { xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
[[ $(root_size) == 1024x768 ]] || { echo "unexpected start size $(root_size)"; exit 77; }

"$game" &
game_pid=$!
timeout 20 xdotool search --sync --name '^Korvane$' >/dev/null || { kill -9 "$game_pid"; echo "no game window"; exit 1; }
sleep 1
during=$(root_size)
xdotool key Escape
status=
for _ in $(seq 1 50); do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid"
    status=$?
    break
  fi
  sleep 0.1
done
[[ -n "$status" ]] || { kill -9 "$game_pid"; echo "the game did not end on Escape"; exit 1; }
after=$(root_size)
echo "during: $during, after: $after, exit status: $status"
[[ $during == 800x600 && $after == 1024x768 && $status == 0 ]]
