#!/usr/bin/env bash
# Renders the fixed scenario with the Linux module and, under Wine, with the Windows
# module, and compares the bytes. Exit 77 (skipped) when the Linux build is missing.
#   compare_platforms.sh NATIVE_SCENARIO NATIVE_BUNDLE WINE_RUN PREFIX WIN_SCENARIO WIN_BUNDLE WORKDIR
set -euo pipefail
native_exe=$1 native_bundle=$2 wine_run=$3 prefix=$4 win_exe=$5 win_bundle=$6 work=$7
if [ ! -x "$native_exe" ] || [ ! -d "$native_bundle" ]; then
  echo "SKIP: no Linux build with $native_exe and $native_bundle (set TALUMA_NATIVE_BUILD_DIR)"
  exit 77
fi
mkdir -p "$work"
"$native_exe" "$native_bundle" "$work/linux.raw"
"$wine_run" "$prefix" "$win_exe" "Z:$win_bundle" "Z:$work/windows.raw"
size=$(stat -c %s "$work/linux.raw")
[ "$size" -gt 0 ] || { echo "empty render"; exit 1; }
# Identical silence would prove nothing.
{ od -An -v -tf4 "$work/linux.raw" || true; } | awk '{for (i = 1; i <= NF; i++) if ($i != 0) {found = 1; exit}} END {exit !found}' ||
  { echo "the Linux render is silent"; exit 1; }
if cmp "$work/linux.raw" "$work/windows.raw"; then
  echo "identical: $size bytes"
else
  echo "Linux and Windows renders differ"
  exit 1
fi
