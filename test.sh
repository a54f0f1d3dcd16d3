#!/usr/bin/env bash
# Instala lo que falte, compila y ejecuta todas las pruebas con ctest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
