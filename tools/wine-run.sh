#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own.
#   tools/wine-run.sh PREFIX_DIR PROGRAM.exe [ARGS...]
# The prefix is created on first use (about 10 s); concurrent callers wait for it.
set -euo pipefail
prefix=$1; shift
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || wine=$(command -v wine)

if [ ! -f "$prefix/.ready" ]; then
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      "$wine" wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      touch "$prefix/.ready"
    fi
  ) 9>"$prefix.lock"
fi
exec "$wine" "$@"
