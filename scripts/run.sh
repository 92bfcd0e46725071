#!/usr/bin/env bash
# Builds vemo-panel and starts it on its built-in simulated device (model 0x82 unless a model
# is given), from a demo folder with config/, logos/ and firmware/ (build/demo). Without a
# display it runs the window under Xvfb, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
model="${1:-0x82}"
scripts/setup.sh default
scripts/make_demo_base.sh build/demo
cd build/demo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/default/app/vemo-panel" --simulate "$model"
fi

shot="$root/build/vemo-panel-$model.png"
echo "No display here: running vemo-panel under Xvfb until it connects instead."
"$root/scripts/screenshot.sh" "$model" "$shot" >/dev/null
echo "Screenshot of the running window: $shot"
