#!/usr/bin/env bash
# Line coverage of source/ and lib/ by the native test suite: builds an instrumented
# tree (build-cov/ unless given), runs its tests and prints gcovr's summary. The
# libFuzzer targets are built by clang outside this tree and are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-cov}

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALUMA_COVERAGE=ON \
  -DTALUMA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
find "$dir" -name '*.gcda' -delete
ctest --test-dir "$dir" -j "$(nproc)" --timeout 900 -E 'LibFuzzerTargets|CodeStyle' || true
# The other build trees are not searched: a live Wine prefix holds links into /proc.
gcovr --root . --object-directory "$dir" --filter 'source/' --filter 'lib/' \
  --exclude-directories '^build(?!-cov)' --exclude-unreachable-branches --print-summary -o "$dir/coverage.txt"
