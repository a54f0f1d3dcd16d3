#!/usr/bin/env bash
# Revisa la ortografía de las fuentes de texto y de la ayuda con hunspell y el diccionario
# español. Falla ante cualquier palabra desconocida que no esté en la lista revisada de
# nombres propios de la tradición (data/nombres_propios.txt).
set -euo pipefail
datos="$1"
lista="$datos/nombres_propios.txt"

command -v hunspell >/dev/null || { echo "falta hunspell"; exit 1; }
[ -f /usr/share/hunspell/es_ES.dic ] || { echo "falta hunspell-es"; exit 1; }

conocidas() { grep -v -x -i -F -f <(grep -v '^#' "$lista") || true; }

# Fuera comentarios, claves de la cabecera y cabeceras de sección; los nombres con
# apóstrofo (Ch'ien) se revisan sin él, porque hunspell los partiría.
fuente() {
  grep -v -E '^\s*(#|\*)' "$1" \
    | sed -E "s/^(hexagrama|nombre|segundo nombre|trigrama inferior|trigrama superior):/ /; s/\|/ /g; s/'//g"
}

fallos=0
informar() {
  if [ -n "$2" ]; then
    echo "$1: palabras desconocidas:"
    echo "$2" | sed 's/^/  /'
    fallos=1
  fi
}
for f in "$datos"/trigramas.txt "$datos"/hexagramas/*.txt; do
  informar "$f" "$(fuente "$f" | hunspell -d es_ES -i utf-8 -l | sort -u | conocidas)"
done
ayuda="$datos/ayuda/HEXORA.HLP"
informar "$ayuda" "$(hunspell -H -d es_ES -i utf-8 -l "$ayuda" | sort -u | conocidas)"
exit $fallos
