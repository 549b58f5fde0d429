#!/usr/bin/env bash
# Steinberg's VST 3 validator with its extensive tests on a built bundle; every test must
# pass. The validator is found in TALUMA_VST3_VALIDATOR_DIR, else in shared/tools beside
# the checkout; where it is absent the test is skipped (exit 77).
#   run_validator.sh linux BUNDLE WORKDIR
#   run_validator.sh windows BUNDLE WORKDIR WINE_RUN PREFIX
set -euo pipefail
platform=$1 bundle=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
dir=${TALUMA_VST3_VALIDATOR_DIR:-$here/../../../shared/tools/vst3-validator}
mkdir -p "$work"
log=$work/validator-$platform.log
case $platform in
  linux)
    [ -x "$dir/validator" ] || { echo "SKIP: no VST 3 validator at $dir"; exit 77; }
    status=0
    "$dir/validator" -e "$bundle" >"$log" 2>&1 || status=$?
    ;;
  windows)
    wine_run=$4 prefix=$5
    [ -f "$dir/validator.exe" ] || { echo "SKIP: no VST 3 validator at $dir"; exit 77; }
    status=0
    "$wine_run" "$prefix" "$dir/validator.exe" -e "Z:$bundle" >"$log" 2>&1 || status=$?
    ;;
esac
result=$(grep -a "Result:" "$log" | tail -1 || true)
grep -a -B1 "Failed\]" "$log" || true
echo "${result:-the validator printed no result (exit $status)}"
[ "$status" -eq 0 ] && [[ $result =~ ^Result:\ [0-9]+\ tests\ passed,\ 0\ tests\ failed ]]
