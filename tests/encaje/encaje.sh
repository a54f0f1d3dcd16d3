#!/usr/bin/env bash
# Las pruebas de encaje a 640 x 480 con el marco de verdad: una pantalla virtual de ese
# tamaño y un gestor de ventanas (openbox) que pone a cada ventana su título y sus bordes.
set -uo pipefail
pruebas="$1"

if ! command -v xvfb-run >/dev/null || ! command -v openbox >/dev/null; then
  echo "SE OMITE: faltan xvfb-run u openbox para medir las pantallas con su marco."
  exit 77
fi

# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 640x480x24" bash -c '
  openbox >/dev/null 2>&1 &
  gestor=$!
  # El gestor está listo cuando anuncia su ventana de control en la raíz.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  QT_QPA_PLATFORM=xcb "$1" --gtest_filter="*CabeEn640x480*"
  r=$?
  kill "$gestor"
  exit $r' encaje "$pruebas"
