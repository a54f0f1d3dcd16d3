#!/usr/bin/env bash
# Instala lo que falte, compila y arranca HEXORA.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/dependencias.sh
# El mismo tipo de compilación que ./test.sh, para que una orden aproveche lo que compiló la
# otra; aquí basta con el programa y sus datos.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target hexora
# Sin pantalla gráfica, Qt abortaría: mejor decirlo en una línea.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay pantalla gráfica (DISPLAY vacío); para probar HEXORA sin ella: xvfb-run -s \"-screen 0 1024x768x24\" ./build/bin/hexora" >&2
  exit 1
fi
exec ./build/bin/hexora "$@"
