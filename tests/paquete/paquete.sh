#!/usr/bin/env bash
# Construye el paquete de Debian desde la compilación ya hecha (cpack no recompila lo que
# está al día) y comprueba su nombre, que lleva lo mismo que instala cmake --install, que
# sus dependencias cubren las bibliotecas que enlaza el ejecutable y los datos que abre al
# ejecutarse, y que la ficha de AppStream es válida junto a la entrada del menú.
#   paquete.sh COMPILACION VERSION
set -uo pipefail
# shellcheck source=../comun.sh
source "$(dirname "$0")/../comun.sh"
requiere cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev file:file appstreamcli:appstream \
         readelf:binutils ldd:libc-bin fc-match:fontconfig
compilacion="$1"
version="$2"

cpack -G DEB --config "$compilacion/CPackConfig.cmake" -B "$trabajo/cpack" > "$trabajo/cpack.txt" 2>&1 \
  || muere "cpack falló: $(cat "$trabajo/cpack.txt")"
deb="$trabajo/cpack/hexora_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || muere "cpack no dejó $(basename "$deb"): $(ls "$trabajo/cpack")"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || falla "la versión del paquete no es $version"

# Lo mismo que cmake --install en /usr, byte a byte (menos el ejecutable, que va sin
# símbolos de depuración).
cmake --install "$compilacion" --prefix "$trabajo/instalado/usr" > /dev/null
(cd "$trabajo/instalado" && find . -type f | sort) > "$trabajo/instalado.txt"
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort | diff -u "$trabajo/instalado.txt" - \
  || falla "el paquete no lleva lo mismo que cmake --install (arriba, - instalado, + paquete)"
dpkg-deb -x "$deb" "$trabajo/raiz"
while read -r f; do
  [ "$f" = ./usr/bin/hexora ] || cmp -s "$trabajo/instalado/$f" "$trabajo/raiz/$f" || falla "$f distinto del instalado"
done < "$trabajo/instalado.txt"
ejecutable="$trabajo/raiz/usr/bin/hexora"
[ -x "$ejecutable" ] || falla "usr/bin/hexora no es ejecutable"

# Dependencias: el paquete dueño de cada biblioteca que pide el ejecutable, y los de las
# traducciones de Qt al español, los patrones de guiones y la letra con que se imprime.
depende=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depende"
grep -q '(>= ' <<<"$depende" || falla "las dependencias no llevan versión mínima: no son de dpkg-shlibdeps"
nombres=$(tr ',|' '\n\n' <<<"$depende" | sed -E 's/\(.*\)//; s/^ +//; s/ +$//')
exige() { # paquete, motivo
  [ -n "$1" ] || { falla "ningún paquete instalado trae $2"; return; }
  grep -q -x -F "$1" <<<"$nombres" || falla "no depende de $1 ($2)"
}
# Con /usr fusionado, dpkg puede tener registrado el archivo bajo /lib o bajo /usr/lib: se
# busca por la carpeta de la arquitectura y el nombre.
dueno() {
  local real
  real=$(readlink -f "$1")
  dpkg -S "*/$(basename "$(dirname "$real")")/$(basename "$real")" 2>/dev/null | head -n 1 | cut -d: -f1
}
pedidas=$(readelf -d "$ejecutable" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$pedidas" ] || falla "readelf no da las bibliotecas del ejecutable"
while read -r biblioteca ruta; do
  grep -q -x -F "$biblioteca" <<<"$pedidas" && exige "$(dueno "$ruta")" "$ruta, que pide hexora"
done < <(ldd "$ejecutable" | awk '$2 == "=>" { print $1, $3 }')
exige "$(dpkg -S '*/qtbase_es.qm' 2>/dev/null | head -n 1 | cut -d: -f1)" "las traducciones de Qt al español"
exige "$(dpkg -S '*/hyph_es_ES.dic' 2>/dev/null | head -n 1 | cut -d: -f1)" "los patrones de guiones del español"
letra=$(fc-match -f '%{family}|%{file}' 'DejaVu Serif')
[ "${letra%%|*}" = "DejaVu Serif" ] || falla "no está instalada la letra DejaVu Serif (fc-match da ${letra%%|*})"
exige "$(dueno "${letra#*|}")" "la letra DejaVu Serif, con la que dibuja e imprime"

# La ficha de AppStream, sola y con el resto del paquete (validate-tree comprueba que la
# entrada del menú que lanza está en él).
metainfo=("$trabajo"/raiz/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || muere "el paquete no trae metainfo"
appstreamcli validate --no-net "${metainfo[0]}" || falla "appstreamcli rechaza el metainfo"
appstreamcli validate-tree --no-net "$trabajo/raiz" \
  || falla "appstreamcli rechaza el metainfo junto a la entrada del menú"
exit $fallos
