#!/usr/bin/env bash
# Construye el paquete de Debian desde la compilación ya hecha (cpack no recompila lo que
# está al día) y comprueba su nombre, que lleva lo mismo que instala cmake --install, que
# sus dependencias cubren las bibliotecas que enlaza el ejecutable y los datos que abre al
# ejecutarse, y que la ficha de AppStream es válida junto a la entrada del menú.
set -uo pipefail
compilacion="$1"
version="$2"

omitir() { echo "SE OMITE: $*"; exit 77; }
for herramienta in cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev file:file \
                   appstreamcli:appstream readelf:binutils ldd:libc-bin fc-match:fontconfig; do
  command -v "${herramienta%%:*}" >/dev/null \
    || omitir "falta ${herramienta%%:*} (paquete ${herramienta##*:}) para hacer o revisar el paquete."
done

trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
fallos=0
falla() { echo "$*"; fallos=1; }

if ! cpack -G DEB --config "$compilacion/CPackConfig.cmake" -B "$trabajo/cpack" \
       > "$trabajo/cpack.txt" 2>&1; then
  cat "$trabajo/cpack.txt"
  echo "cpack falló"
  exit 1
fi
paquetes=("$trabajo"/cpack/*.deb)
[ ${#paquetes[@]} -eq 1 ] && [ -f "${paquetes[0]}" ] \
  || { echo "cpack no dejó un .deb: ${paquetes[*]}"; exit 1; }
deb="${paquetes[0]}"

# hexora_<versión>_<arquitectura>.deb, con la versión del proyecto.
esperado="hexora_${version}_$(dpkg --print-architecture).deb"
[ "$(basename "$deb")" = "$esperado" ] || falla "el paquete se llama $(basename "$deb"), no $esperado"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || falla "la versión del paquete no es $version"

# Lo mismo que cmake --install en /usr: la lista de archivos y sus bytes (el ejecutable va
# sin símbolos de depuración, así que de él basta con que sea el mismo programa).
cmake --install "$compilacion" --prefix "$trabajo/instalado/usr" > /dev/null
(cd "$trabajo/instalado" && find . -type f | sort) > "$trabajo/instalado.txt"
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort > "$trabajo/paquete.txt"
diff -u "$trabajo/instalado.txt" "$trabajo/paquete.txt" \
  || falla "el paquete no lleva lo mismo que cmake --install (arriba, - instalado, + paquete)"
dpkg-deb -x "$deb" "$trabajo/raiz"
while read -r f; do
  [ "$f" = ./usr/bin/hexora ] && continue
  cmp -s "$trabajo/instalado/$f" "$trabajo/raiz/$f" || falla "$f distinto del instalado"
done < "$trabajo/instalado.txt"
[ -x "$trabajo/raiz/usr/bin/hexora" ] || falla "usr/bin/hexora no es ejecutable"

# Dependencias: el paquete dueño de cada biblioteca que pide el ejecutable, y los
# paquetes de las traducciones de Qt al español y de la letra con que se imprime.
depende=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depende"
nombres=$(tr ',|' '\n\n' <<<"$depende" | sed -E 's/\(.*\)//; s/^ +//; s/ +$//')
exige() { # paquete, motivo
  grep -q -x -F "$1" <<<"$nombres" || falla "no depende de $1 ($2)"
}
# Con /usr fusionado, dpkg puede tener registrado el archivo bajo /lib o bajo /usr/lib:
# se busca por la carpeta de la arquitectura y el nombre.
dueno() {
  local real
  real=$(readlink -f "$1")
  dpkg -S "*/$(basename "$(dirname "$real")")/$(basename "$real")" 2>/dev/null \
    | head -n 1 | cut -d: -f1
}
ejecutable="$trabajo/raiz/usr/bin/hexora"
pedidas=$(readelf -d "$ejecutable" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$pedidas" ] || falla "readelf no da las bibliotecas del ejecutable"
while read -r biblioteca ruta; do
  grep -q -x -F "$biblioteca" <<<"$pedidas" || continue # de otra biblioteca, no del programa
  paquete=$(dueno "$ruta")
  if [ -n "$paquete" ]; then exige "$paquete" "pide $biblioteca"
  else falla "$ruta no es de ningún paquete"; fi
done < <(ldd "$ejecutable" | awk '$2 == "=>" { print $1, $3 }')
grep -q '(>= ' <<<"$depende" \
  || falla "las dependencias no llevan versión mínima: no son de dpkg-shlibdeps"
traduccion=$(dpkg -S '*/qtbase_es.qm' 2>/dev/null | head -n 1 | cut -d: -f1)
if [ -n "$traduccion" ]; then exige "$traduccion" "traducciones de Qt al español"
else falla "no está instalada la traducción de Qt al español (qtbase_es.qm)"; fi
patrones=$(dpkg -S '*/hyph_es_ES.dic' 2>/dev/null | head -n 1 | cut -d: -f1)
if [ -n "$patrones" ]; then exige "$patrones" "patrones de guiones del español del informe"
else falla "no están instalados los patrones de guiones del español (hyph_es_ES.dic)"; fi
letra=$(fc-match -f '%{family}|%{file}' 'DejaVu Serif')
if [ "${letra%%|*}" = "DejaVu Serif" ]; then
  exige "$(dueno "${letra#*|}")" "la letra DejaVu Serif, con la que dibuja e imprime"
else
  falla "no está instalada la letra DejaVu Serif (fc-match da ${letra%%|*})"
fi

# La ficha de AppStream, sola y con el resto del paquete (validate-tree comprueba que la
# entrada del menú que lanza está en él).
metainfo=("$trabajo"/raiz/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || { echo "el paquete no trae metainfo"; exit 1; }
appstreamcli validate --no-net "${metainfo[0]}" || falla "appstreamcli rechaza el metainfo"
appstreamcli validate-tree --no-net "$trabajo/raiz" \
  || falla "appstreamcli rechaza el metainfo junto a la entrada del menú"
exit $fallos
