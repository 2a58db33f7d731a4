#!/usr/bin/env bash
# Installs what is missing, builds and runs the game.
# With a display (DISPLAY set) the game opens on it; quit with Escape.
# Without one, the game runs for a few seconds on a virtual X server and a
# screenshot is saved to build/korvane-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc)" --target korvane
if [[ -n "${DISPLAY:-}" ]]; then
  exec build/game/korvane
fi
echo "No display: running Korvane for 5 seconds on a virtual X server."
bash tools/with-xvfb.sh bash tools/screenshot-run.sh build/game/korvane build/korvane-screenshot.png 5
echo "Screenshot saved to $PWD/build/korvane-screenshot.png"
