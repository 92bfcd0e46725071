#!/usr/bin/env bash
# Starts vemo-panel on its built-in simulated device under Xvfb, waits until it has connected
# (the device's versions in the title) and saves a PNG of the window.
#   scripts/screenshot.sh [MODEL] [OUTPUT.png]     MODEL 0x82 (default) or 0x78
# vemo-panel runs in the current folder, so a pref.txt there chooses the language. VEMO_PANEL
# names another vemo-panel binary.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
model="${1:-0x82}"
out="$(realpath -m "${2:-vemo-panel-$model.png}")"
panel="${VEMO_PANEL:-$root/build/default/app/vemo-panel}"

# The tests run Qt offscreen; this window must go to the X server.
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  panel="$1"; model="$2"; out="$3"
  "$panel" --simulate "$model" 2>/dev/null & pid=$!
  trap "kill $pid 2>/dev/null; wait $pid 2>/dev/null" EXIT
  for _ in $(seq 200); do
    window=$(xwininfo -root -tree | awk "/\"VEMO Software [^\"]* \\(S/ {print \$1; exit}")
    if [ -n "$window" ]; then
      sleep 0.3  # let the connected layout paint
      import -window "$window" "$out"
      exit 0
    fi
    sleep 0.1
  done
  echo "vemo-panel did not connect within 20 s" >&2
  exit 1' _ "$panel" "$model" "$out"
echo "$out"
