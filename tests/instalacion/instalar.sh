#!/usr/bin/env bash
# Instala en una carpeta temporal y comprueba que cada pieza queda en su sitio: el
# programa, sus datos junto a la ayuda, la entrada del menú, su ficha de AppStream y los
# iconos.
set -euo pipefail
compilacion="$1"
destino=$(mktemp -d)
trap 'rm -rf "$destino"' EXIT
cmake --install "$compilacion" --prefix "$destino" > /dev/null

fallos=0
for f in bin/hexora share/hexora/trigr.chi share/hexora/hexagr.chi share/hexora/BINARIO.dat \
         share/hexora/HEXORA.HLP share/applications/hexora.desktop \
         share/metainfo/org.example.hexora.metainfo.xml \
         share/icons/hicolor/scalable/apps/hexora.svg \
         share/icons/hicolor/48x48/apps/hexora.png share/icons/hicolor/256x256/apps/hexora.png; do
  [ -s "$destino/$f" ] || { echo "falta $f"; fallos=1; }
done
[ -x "$destino/bin/hexora" ] || { echo "bin/hexora no es ejecutable"; fallos=1; }
# Las pruebas no se instalan.
[ ! -e "$destino/bin/pruebas_core" ] || { echo "se instaló un programa de pruebas"; fallos=1; }
entrada="$destino/share/applications/hexora.desktop"
for clave in '^Type=Application$' '^Exec=hexora$' '^Icon=hexora$' '^Categories=.*Education'; do
  grep -q -E "$clave" "$entrada" || { echo "hexora.desktop: falta $clave"; fallos=1; }
done
# El programa instalado encuentra sus bibliotecas del sistema (Qt, libhyphen) y los
# patrones de guiones de hyphen-es en la ruta con que se compiló.
bibliotecas=$(ldd "$destino/bin/hexora")
if grep -q 'not found' <<<"$bibliotecas"; then
  echo "faltan bibliotecas: $(grep 'not found' <<<"$bibliotecas")"; fallos=1
fi
grep -q 'libhyphen' <<<"$bibliotecas" || { echo "hexora no usa libhyphen"; fallos=1; }
patrones=$(sed -n 's/^HEXORA_PATRONES_SILABAS:FILEPATH=//p' "$compilacion/CMakeCache.txt")
[ -s "$patrones" ] || { echo "faltan los patrones de guiones ($patrones)"; fallos=1; }
# Los datos instalados son los de la compilación, byte a byte.
cmp -s "$destino/share/hexora/BINARIO.dat" "$compilacion/bin/BINARIO.dat" || { echo "BINARIO.dat distinto"; fallos=1; }
exit $fallos
