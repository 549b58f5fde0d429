#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers)
# and runs each for a bounded time from seed files.
#   tests/fuzz/run_fuzzers.sh WORK_DIR [SECONDS_EACH]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$1
seconds=${2:-10}
mkdir -p "$work"
cxx=${CLANGXX:-clang++}

flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I"$root/source")
engine=("$root"/source/engine/*.cpp)
wavetable="$root/source/wavetable"
synth="$root/source/synth"
declare -A sources=(
  [wav]="$here/wav_fuzzer.cpp $wavetable/wav_file.cpp $wavetable/wave_store.cpp $wavetable/file_io.cpp ${engine[*]}"
  [text]="$here/text_fuzzer.cpp $wavetable/wave_text_file.cpp $wavetable/wave_store.cpp $wavetable/file_io.cpp ${engine[*]}"
  [preset]="$here/preset_fuzzer.cpp $synth/preset_file.cpp $synth/synth.cpp $synth/engine_snapshot.cpp $synth/state_record.cpp $wavetable/wave_store.cpp $wavetable/table_history.cpp $wavetable/wave_generators.cpp $wavetable/file_io.cpp ${engine[*]}"
)

# Seeds: a short 8-bit WAV, a text line, a preset image with an all-default-looking record.
seed_dir() { mkdir -p "$work/corpus-$1"; echo "$work/corpus-$1"; }
printf 'RIFF\x2c\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x44\xac\x00\x00\x44\xac\x00\x00\x01\x00\x08\x00data\x04\x00\x00\x00\x80\xff\x80\x00' > "$(seed_dir wav)/seed.wav"
printf '80 FF 80 00' > "$(seed_dir text)/seed.txt"
{ printf 'RIFF\x62\x03\x00\x00data\x5a\x03\x00\x00\x02'; head -c 857 /dev/zero; } > "$(seed_dir preset)/seed.tlmprst"

status=0
for name in wav text preset; do
  binary="$work/${name}_fuzzer"
  # Rebuild when a source is newer than the binary.
  rebuild=0
  [ -x "$binary" ] || rebuild=1
  for f in ${sources[$name]} "$root"/source/engine/*.h "$root"/source/wavetable/*.h "$root"/source/synth/*.h; do
    [ "$f" -nt "$binary" ] && rebuild=1
  done
  if [ $rebuild = 1 ]; then
    # shellcheck disable=SC2086
    "$cxx" "${flags[@]}" ${sources[$name]} -o "$binary"
  fi
  echo "=== $name fuzzer, ${seconds}s"
  "$binary" -max_total_time="$seconds" -seed=1 -max_len=1100 -print_final_stats=1 \
    -artifact_prefix="$work/crash-$name-" "$work/corpus-$name" || status=1
done
exit $status
