#!/usr/bin/env bash
# Las pruebas de encaje a 640 x 480 con el marco de verdad: una pantalla virtual de ese
# tamaño y un gestor de ventanas (openbox) que pone a cada ventana su título y sus bordes.
set -uo pipefail
# shellcheck source=../comun.sh
source "$(dirname "$0")/../comun.sh"
requiere xvfb-run:xvfb openbox:openbox xprop:x11-utils

# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 640x480x24" bash -c '
  openbox >/dev/null 2>&1 &
  # El gestor está listo cuando anuncia su ventana de control en la raíz.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  QT_QPA_PLATFORM=xcb "$1" --gtest_filter="*CabeEn640x480*"
  r=$?
  kill $!
  exit $r' encaje "$1"
