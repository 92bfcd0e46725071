#!/usr/bin/env bash
# Builds vemo-panel and starts it on its built-in simulated device (model 0x82 unless a model
# is given). Without a display it runs the window under Xvfb, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
model="${1:-0x82}"
scripts/setup.sh default
panel=build/default/app/vemo-panel

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$panel" --simulate "$model"
fi

shot="$PWD/build/vemo-panel-$model.png"
echo "No display here: running vemo-panel under Xvfb until it connects instead."
scripts/screenshot.sh "$model" "$shot" >/dev/null
echo "Screenshot of the running window: $shot"
