#!/usr/bin/env bash
# Construye el paquete de Debian desde la compilación ya hecha (cpack no recompila lo que
# está al día) y comprueba su nombre, que lleva lo mismo que instala cmake --install, que
# depende de los paquetes de los datos que abre al ejecutarse y que la ficha de AppStream
# es válida junto a la entrada del menú.
#   paquete.sh COMPILACION VERSION
set -uo pipefail
# shellcheck source=../comun.sh
source "$(dirname "$0")/../comun.sh"
requiere cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev appstreamcli:appstream fc-match:fontconfig
compilacion="$1"
version="$2"

cpack -G DEB --config "$compilacion/CPackConfig.cmake" -B "$trabajo/cpack" > "$trabajo/cpack.txt" 2>&1 \
  || muere "cpack falló: $(cat "$trabajo/cpack.txt")"
deb="$trabajo/cpack/hexora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || muere "cpack no dejó $(basename "$deb"): $(ls "$trabajo/cpack")"

# Los mismos archivos que cmake --install en /usr.
cmake --install "$compilacion" --prefix "$trabajo/instalado/usr" > /dev/null
(cd "$trabajo/instalado" && find . -type f | sort) > "$trabajo/instalado.txt"
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort | diff -u "$trabajo/instalado.txt" - \
  || falla "el paquete no lleva lo mismo que cmake --install (arriba, - instalado, + paquete)"
dpkg-deb -x "$deb" "$trabajo/raiz"

# Dependencias: las de las bibliotecas, de dpkg-shlibdeps (con versión mínima), y los paquetes
# de las traducciones de Qt al español, los patrones de guiones y la letra con que imprime.
depende=$(dpkg-deb -f "$deb" Depends)
grep -q '(>= ' <<<"$depende" || falla "las dependencias no llevan versión mínima: no son de dpkg-shlibdeps"
nombres=$(tr ',|' '\n\n' <<<"$depende" | sed -E 's/\(.*\)//; s/^ +//; s/ +$//')
exige() { # archivo del sistema, motivo
  local dueno
  dueno=$(dpkg -S "$1" 2>/dev/null | head -n 1 | cut -d: -f1)
  [ -n "$dueno" ] || { falla "ningún paquete instalado trae $2"; return; }
  grep -q -x -F "$dueno" <<<"$nombres" || falla "no depende de $dueno ($2)"
}
exige '*/qtbase_es.qm' "las traducciones de Qt al español"
exige '*/hyph_es_ES.dic' "los patrones de guiones del español"
letra=$(fc-match -f '%{family}|%{file}' 'DejaVu Serif')
[ "${letra%%|*}" = "DejaVu Serif" ] || falla "no está instalada la letra DejaVu Serif (fc-match da ${letra%%|*})"
exige "$(readlink -f "${letra#*|}")" "la letra DejaVu Serif, con la que dibuja e imprime"

# La ficha de AppStream junto a la entrada del menú que lanza.
appstreamcli validate-tree --no-net "$trabajo/raiz" \
  || falla "appstreamcli rechaza el metainfo junto a la entrada del menú"
exit $fallos
