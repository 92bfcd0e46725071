#!/usr/bin/env bash
# Makes the folder the tool is started from in demos: config/, logos/ with one logo, and
# firmware/ holding the releases the built-in simulated devices already run, so a first start
# connects without an update and without a package error.
#   scripts/make_demo_base.sh DEST
set -euo pipefail
dest="$1"
mkdir -p "$dest/config" "$dest/logos"
python3 "$(dirname "$0")/make_demo_firmware.py" "$dest" --installed >/dev/null
[ -f "$dest/logos/demo.dg1" ] || head -c 2048 /dev/urandom >"$dest/logos/demo.dg1"
