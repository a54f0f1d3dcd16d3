#!/usr/bin/env bash
# Instala en una carpeta temporal y comprueba que quedan estos archivos y ninguno más (ni
# una prueba), que los datos son los de la compilación y que la entrada del menú lanza el
# programa con su icono.
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
[ -x "$trabajo/i/bin/hexora" ] || falla "bin/hexora no es ejecutable"
for f in trigr.chi hexagr.chi BINARIO.dat HEXORA.HLP; do
  cmp -s "$trabajo/i/share/hexora/$f" "$compilacion/bin/$f" || falla "$f distinto del compilado"
done
for clave in '^Type=Application$' '^Exec=hexora$' '^Icon=hexora$' '^Categories=.*Education'; do
  grep -q -E "$clave" "$trabajo/i/share/applications/hexora.desktop" || falla "hexora.desktop: falta $clave"
done
exit $fallos
