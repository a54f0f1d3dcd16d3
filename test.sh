#!/usr/bin/env bash
# Instala lo que falte, compila y ejecuta todas las pruebas con ctest, y después corre unos
# segundos cada objetivo de fuzzing (libFuzzer, con clang, en build-fuzz).
#   ./test.sh --sanitize   toda la suite con AddressSanitizer y UndefinedBehaviorSanitizer,
#                          en build-sanitize; cualquier informe hace fallar su prueba.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/dependencias.sh

if [ "${1:-}" = "--sanitize" ]; then
  # Un informe termina el proceso con error (también las fugas, al salir). Las mismas
  # opciones valen al compilar, porque gtest_discover_tests ejecuta las pruebas para
  # listarlas.
  export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:halt_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DHEXORA_SANITIZE=ON
  cmake --build build-sanitize -j"$(nproc)"
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
  exit 0
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DHEXORA_FUZZ=ON
cmake --build build-fuzz -j"$(nproc)"
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)"
