#!/usr/bin/env bash
# Las carpetas del programa solo se incluyen hacia abajo: core (sin Qt) <- tools, platform
# <- widgets <- las pantallas de cada parte <- shell; las del mismo nivel pueden incluirse
# entre sí sin formar un ciclo. Falla, con los infractores, ante una inclusión hacia arriba,
# un ciclo entre carpetas o Qt en core.
#   capas.sh RAIZ_DEL_PROYECTO
set -uo pipefail
cd "${1:?falta la raíz del proyecto}" || exit 1
niveles="core=0 tools=1 platform=1 widgets=2 casting=3 interpretation=3 printing=3 archive=3 shell=4"
fuentes=(--include='*.h' --include='*.cpp' --include='*.h.in')

# Cada inclusión con carpeta delante; las de una carpeta ajena o de la misma no cuentan.
# shellcheck disable=SC2046
informe=$(grep -rnE "${fuentes[@]}" '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' \
            $(sed -E 's/=[0-9]//g' <<<"$niveles") 2>/dev/null | awk -v niveles="$niveles" '
  BEGIN { split(niveles, n, " "); for (i in n) { split(n[i], p, "="); nivel[p[1]] = p[2] } }
  {
    split($0, campo, ":")
    match($0, /"[^"]*"/)
    incluido = substr($0, RSTART + 1, RLENGTH - 2)
    origen = campo[1]; sub(/\/.*/, "", origen)
    destino = incluido; sub(/\/.*/, "", destino)
    if (!(destino in nivel) || origen == destino) next
    total++
    if (nivel[destino] > nivel[origen])
      print "HACIA ARRIBA: " campo[1] ":" campo[2] " incluye " incluido \
            " (" origen " está por debajo de " destino ")"
    arista[origen " " destino] = 1; nodo[origen]; nodo[destino]
    donde[origen " " destino] = donde[origen " " destino] " " campo[1] ":" campo[2]
  }
  END {
    # Cierre transitivo: una carpeta que se alcanza a sí misma está en un ciclo, y se
    # nombran las inclusiones que lo cierran.
    for (a in arista) alcanza[a] = 1
    for (k in nodo) for (i in nodo) if ((i " " k) in alcanza)
      for (j in nodo) if ((k " " j) in alcanza) alcanza[i " " j] = 1
    for (a in arista) {
      split(a, p, " ")
      if ((p[2] " " p[1]) in alcanza)
        print "CICLO: " p[1] " incluye " p[2] ", desde donde se vuelve a " p[1] " (" substr(donde[a], 2) ")"
    }
    print "TOTAL " total + 0
  }' | sort)
# La lógica común no conoce Qt.
informe+=$(grep -rnE "${fuentes[@]}" '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' core |
             sed 's/^/\nQT EN CORE: /')

fallos=$(grep -c -v '^TOTAL' <<<"$informe")
if [ "$fallos" -gt 0 ]; then
  grep -v '^TOTAL' <<<"$informe"
  echo "$fallos inclusiones fuera de su capa"
  exit 1
fi
echo "capas en orden: $(sed -n 's/^TOTAL //p' <<<"$informe") inclusiones entre carpetas, todas hacia abajo"
