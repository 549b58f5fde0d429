#!/usr/bin/env bash
# validate_bundle.sh LV2_VALIDATE BUNDLE: runs lv2_validate on every Turtle file of the
# bundle and fails on any error or warning it reports (it may exit 0 after them).
set -euo pipefail
validate=$1 bundle=$2
out=$("$validate" "$bundle"/*.ttl 2>&1) || { echo "$out"; exit 1; }
echo "$out"
if grep -qE '^(error|warning):' <<<"$out"; then exit 1; fi
