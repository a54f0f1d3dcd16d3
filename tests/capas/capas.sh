#!/usr/bin/env bash
# Las carpetas del programa solo se incluyen hacia abajo: core (sin Qt) <- platform <-
# widgets (lo que comparten las pantallas) <- las pantallas de cada parte <- shell, que
# nadie incluye. Lee los #include "..." de cada carpeta y falla, con la lista de
# infractores, ante una inclusión hacia arriba, un ciclo entre carpetas o Qt en core.
#   capas.sh RAIZ_DEL_PROYECTO
set -euo pipefail
raiz=${1:?falta la raíz del proyecto}
cd "$raiz"

# Nivel de cada carpeta; las del mismo nivel pueden incluirse entre sí mientras no formen
# un ciclo.
declare -A nivel=([core]=0 [tools]=1 [platform]=1 [widgets]=2 [casting]=3 [interpretation]=3
                  [printing]=3 [archive]=3 [shell]=4)

# Una línea por inclusión entre carpetas: "origen destino archivo:línea texto".
inclusiones=$(
  for carpeta in "${!nivel[@]}"; do
    [ -d "$carpeta" ] || continue
    grep -rnE --include='*.h' --include='*.cpp' --include='*.h.in' \
      '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$carpeta" || true
  done | while IFS= read -r linea; do
    archivo=${linea%%:*}
    incluido=$(sed -E 's/^[^"]*"([^"]*)".*/\1/' <<<"$linea")
    origen=${archivo%%/*}
    destino=${incluido%%/*}
    # Sin carpeta delante: un archivo de la misma (o uno generado) o de la biblioteca.
    [ "$destino" = "$incluido" ] && continue
    [ -n "${nivel[$destino]:-}" ] || continue
    [ "$origen" = "$destino" ] && continue
    echo "$origen $destino ${linea%%:*}:$(cut -d: -f2 <<<"$linea") $incluido"
  done | sort -u
)

fallos=0

# Hacia arriba: el incluido está en un nivel mayor que quien lo incluye.
while read -r origen destino donde incluido; do
  [ -n "$origen" ] || continue
  if [ "${nivel[$destino]}" -gt "${nivel[$origen]}" ]; then
    echo "HACIA ARRIBA: $donde incluye $incluido ($origen está por debajo de $destino)"
    fallos=$((fallos + 1))
  fi
done <<<"$inclusiones"

# Ciclos: cierre transitivo del grafo de carpetas; una carpeta que se alcanza a sí misma
# está en un ciclo, y se nombran las inclusiones que lo cierran.
ciclos=$(awk '
  NF { arista[$1 " " $2] = 1; nodo[$1] = 1; nodo[$2] = 1; donde[$1 " " $2] = donde[$1 " " $2] " " $3 }
  END {
    for (a in arista) alcanza[a] = 1
    for (k in nodo) for (i in nodo) if ((i " " k) in alcanza)
      for (j in nodo) if ((k " " j) in alcanza) alcanza[i " " j] = 1
    for (a in arista) {
      split(a, p, " ")
      if ((p[2] " " p[1]) in alcanza)
        print "CICLO: " p[1] " incluye " p[2] ", desde donde se vuelve a " p[1] " (" substr(donde[a], 2) ")"
    }
  }' <<<"$inclusiones" | sort)
if [ -n "$ciclos" ]; then
  echo "$ciclos"
  fallos=$((fallos + $(wc -l <<<"$ciclos")))
fi

# La lógica común no conoce Qt.
if qt=$(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' core); then
  sed 's/^/QT EN CORE: /' <<<"$qt"
  fallos=$((fallos + $(wc -l <<<"$qt")))
fi

if [ "$fallos" -gt 0 ]; then
  echo "$fallos inclusiones fuera de su capa"
  exit 1
fi
echo "capas en orden: $(grep -c . <<<"$inclusiones") inclusiones entre carpetas, todas hacia abajo"
