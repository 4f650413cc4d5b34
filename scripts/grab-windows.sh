#!/usr/bin/env bash
# grab-windows.sh [FOLDER]: saves every window of the program, in each of the
# six languages, as FOLDER/<window>_<language>.png (default: build/capturas).
# Needs no display: the windows are drawn off screen.
set -euo pipefail
cd "$(dirname "$0")/.."
pasta=$(realpath -m "${1:-build/capturas}")
[ -f build/CMakeCache.txt ] || cmake -S . -B build >/dev/null
cmake --build build --target app_forms_janelas -j"$(nproc)" >/dev/null
mkdir -p "$pasta"
QT_QPA_PLATFORM=offscreen TREVALIN_CAPTURAS="$pasta" build/tests/app_forms_janelas -silent
echo "Windows saved in $pasta"
