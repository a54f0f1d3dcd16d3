#!/usr/bin/env bash
# Revisa la ortografía de las fuentes de texto con hunspell y el diccionario español.
# Falla ante cualquier palabra desconocida que no esté en la lista revisada de nombres
# propios de la tradición (data/nombres_propios.txt).
set -euo pipefail
datos="$1"
lista="$datos/nombres_propios.txt"

command -v hunspell >/dev/null || { echo "falta hunspell"; exit 1; }
[ -f /usr/share/hunspell/es_ES.dic ] || { echo "falta hunspell-es"; exit 1; }

fallos=0
for f in "$datos"/trigramas.txt "$datos"/hexagramas/*.txt; do
  # Fuera comentarios, claves de la cabecera y cabeceras de sección; los nombres con
  # apóstrofo (Ch'ien) se revisan sin él, porque hunspell los partiría.
  desconocidas=$(grep -v -E '^\s*(#|\*)' "$f" \
    | sed -E "s/^(hexagrama|nombre|segundo nombre|trigrama inferior|trigrama superior):/ /; s/\|/ /g; s/'//g" \
    | hunspell -d es_ES -i utf-8 -l \
    | sort -u \
    | grep -v -x -F -f <(grep -v '^#' "$lista") || true)
  if [ -n "$desconocidas" ]; then
    echo "$f: palabras desconocidas:"
    echo "$desconocidas" | sed 's/^/  /'
    fallos=1
  fi
done
exit $fallos
