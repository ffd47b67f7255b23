#!/usr/bin/env bash
# A 768-pixel screen gets the compact layout with size factor 20.
E2E_SCREEN=1024x768x24
source "$(dirname "$0")/lib.sh"
COMPACT_S=20
source "$(dirname "$0")/compact.inc"
echo "e2e compact_layout_20: ok"
