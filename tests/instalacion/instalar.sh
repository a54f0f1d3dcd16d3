#!/usr/bin/env bash
# Instala en una carpeta temporal y comprueba que quedan estos archivos y ninguno más (ni
# una prueba) y que la entrada del menú lanza el programa con su icono.
set -uo pipefail
# shellcheck source=../comun.sh
source "$(dirname "$0")/../comun.sh"
compilacion="$1"
cmake --install "$compilacion" --prefix "$trabajo/i" > /dev/null || muere "cmake --install falló"
diff -u - <(cd "$trabajo/i" && find . -type f | LC_ALL=C sort) <<'LISTA' || falla "lo instalado no es lo esperado (+ de más, - falta)"
./bin/hexora
./share/applications/hexora.desktop
./share/hexora/BINARIO.dat
./share/hexora/HEXORA.HLP
./share/hexora/hexagr.chi
./share/hexora/trigr.chi
./share/icons/hicolor/128x128/apps/hexora.png
./share/icons/hicolor/256x256/apps/hexora.png
./share/icons/hicolor/48x48/apps/hexora.png
./share/icons/hicolor/64x64/apps/hexora.png
./share/icons/hicolor/scalable/apps/hexora.svg
./share/metainfo/org.example.hexora.metainfo.xml
LISTA
escritorio="$trabajo/i/share/applications/hexora.desktop"
grep -qx 'Exec=hexora' "$escritorio" || falla "hexora.desktop no lanza hexora"
grep -qx 'Icon=hexora' "$escritorio" || falla "hexora.desktop no lleva el icono de hexora"
exit $fallos
