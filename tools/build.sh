#!/usr/bin/env bash
# Builds the project natively (Release) and, when the cross toolchain file exists, the
# Windows bundle; installs the Linux bundle into ~/.vst3, the LV2 bundle into ~/.lv2 and
# the factory bank into ~/.vst3/presets, and renders the demo song.
# TALUMA_BUILD_DIR and TALUMA_WIN_BUILD_DIR choose other build folders.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TALUMA_BUILD_DIR:-build}
build_win=${TALUMA_WIN_BUILD_DIR:-build-win}
jobs=$(nproc)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$jobs"
bundle="$build/TALUMA_W.vst3"
[ -f "$bundle/Contents/x86_64-linux/TALUMA_W.so" ] || { echo "build: no Linux bundle in $bundle" >&2; exit 1; }

if [ -f cmake/mingw-w64-x86_64.cmake ]; then
  # Only the module: the Windows test programs are built by tools/test.sh.
  cmake -S . -B "$build_win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
  cmake --build "$build_win" -j "$jobs" --target TALUMA_W
  echo "build: Windows bundle in $(cd "$build_win" && pwd)/TALUMA_W.vst3"
fi

# Install by replacing the whole bundle folder, so no file of an older build survives.
install_dir="$HOME/.vst3"
mkdir -p "$install_dir"
rm -rf "$install_dir/TALUMA_W.vst3"
cp -r "$bundle" "$install_dir/"
echo "build: Linux bundle installed in $install_dir/TALUMA_W.vst3"

# The LV2 bundle beside it, where LV2 hosts look (its presets are the factory bank).
lv2_dir="$HOME/.lv2"
mkdir -p "$lv2_dir"
rm -rf "$lv2_dir/taluma-w.lv2"
cp -r "$build/taluma-w.lv2" "$lv2_dir/"
echo "build: LV2 bundle installed in $lv2_dir/taluma-w.lv2"

# The factory bank: .vstpreset files where hosts look for the instrument's presets,
# the same sounds as .tlmprst files in their subfolder "tlmprst".
"$build/tools/bank/taluma-bank" --install

demo="$(cd "$build" && pwd)/taluma-w-demo.wav"
"$build/tools/render/taluma-render" --bundle "$bundle" -o "$demo"
echo "build: demo song rendered to $demo"
