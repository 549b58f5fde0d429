#!/usr/bin/env bash
# Checks what a built module shows the system.
#   check_module_binary.sh linux MODULE.so       exports exactly the five entry points
#   check_module_binary.sh windows MODULE.vst3 OBJDUMP
#                                                 imports no MinGW runtime DLL and exports
#                                                 InitDll, ExitDll, GetPluginFactory
set -euo pipefail
kind=$1 module=$2
case $kind in
  linux)
    exports=$(nm -D --defined-only "$module" | awk '{print $3}' | sort | tr '\n' ' ')
    expected="ExitDll GetPluginFactory InitDll ModuleEntry ModuleExit "
    [ "$exports" = "$expected" ] || { echo "exports: $exports"; exit 1; }
    undefined_sdk=$(nm -D --undefined-only "$module" | grep -c Steinberg || true)
    [ "$undefined_sdk" -eq 0 ] || { echo "$undefined_sdk SDK symbols left for the host to bind"; exit 1; }
    ;;
  windows)
    objdump=$3
    dlls=$("$objdump" -p "$module" | awk '/DLL Name:/ {print $3}')
    echo "imports: $(echo $dlls)"
    if echo "$dlls" | grep -qi '^lib'; then echo "needs a MinGW runtime DLL"; exit 1; fi
    exports=$("$objdump" -p "$module" | awk '/\[Ordinal\/Name Pointer\] Table/ {t = 1; next} t && NF == 0 {t = 0} t {print $NF}' | sort | tr '\n' ' ')
    [ "$exports" = "ExitDll GetPluginFactory InitDll " ] || { echo "exports: $exports"; exit 1; }
    ;;
esac
echo "ok"
