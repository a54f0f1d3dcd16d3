#!/usr/bin/env bash
# Instala lo que falte, compila y arranca HEXORA.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
exec ./build/bin/hexora "$@"
