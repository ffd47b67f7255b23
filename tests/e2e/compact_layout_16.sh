#!/usr/bin/env bash
# A 700-pixel screen gets the compact layout with size factor 16.
E2E_SCREEN=1024x700x24
source "$(dirname "$0")/lib.sh"
COMPACT_S=16
source "$(dirname "$0")/compact.inc"
echo "e2e compact_layout_16: ok"
