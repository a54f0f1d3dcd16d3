#!/usr/bin/env bash
# El programa real en una pantalla virtual (Xvfb), manejado con xdotool como un usuario:
# aviso, pregunta, seis tiradas, interpretación, archivar, imprimir a PDF, recuperar y
# salir; después, los bytes archivados, el PDF y la salida de errores (vacía sin sesión).
# Si falla en pantalla, deja una captura en recorrido-fallo.png de la carpeta actual.
#   recorrido.sh CARPETA_DEL_PROGRAMA
set -uo pipefail

# Lo que hace el usuario, ya dentro de la pantalla virtual, en la carpeta de trabajo.
usuario() {
  set -u
  cd "$TRABAJO" || exit 1
  mkdir -p tmp
  env -u XDG_RUNTIME_DIR TMPDIR="$TRABAJO/tmp" HOME="$TRABAJO/casa" \
    XDG_CONFIG_HOME="$TRABAJO/casa/.config" ./programa/hexora 2> errores.txt &
  P=$!
  fallo() {
    echo "FALLO: $*"
    import -window root pantalla.png || echo "no se pudo capturar la pantalla con import"
    kill "$P" 2>/dev/null
    exit 1
  }
  # Espera a que aparezca una ventana con ese título (hasta 15 s) y da su identificador.
  ventana() { timeout 15 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
  pulsar() { xdotool key --delay 60 "$@"; }
  # Clic en la pantalla, o a tantos píxeles de la esquina de una ventana: de arriba, o de
  # abajo si la distancia es negativa (los botones de una ventana que puede crecer).
  clic() {
    local X=0 Y=0 HEIGHT=0
    [ $# -eq 3 ] && eval "$(xdotool getwindowgeometry --shell "$1")" && shift
    [ "$2" -lt 0 ] && Y=$((Y + HEIGHT))
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
  }

  [ -n "$(ventana FRM256)" ] || fallo "no aparece el aviso de pantalla"
  sleep 1.5; pulsar Return
  [ -n "$(ventana 'MENU PRINCIPAL')" ] || fallo "no aparece el menú principal"
  sleep 1.5

  clic 34 33; sleep 1.5
  xdotool type --delay 30 "me conviene cambiar de trabajo"
  pulsar Tab Return
  [ -n "$(ventana 'Hechar Monedas')" ] || fallo "no aparece la tirada"
  sleep 1
  for _ in 1 2 3 4 5 6; do pulsar space; sleep 0.5; pulsar space; sleep 2; done
  I=$(ventana 'Interpretación del hexagrama')
  [ -n "$I" ] || fallo "no aparece la interpretación tras la sexta línea"
  sleep 1.5

  # Los botones de la interpretación van abajo a la izquierda, a 52 píxeles uno de otro.
  clic "$I" 82 410
  [ -n "$(ventana 'Grabar Consulta')" ] || fallo "no aparece la pantalla de archivar"
  xdotool type --delay 30 "ana"
  pulsar Return; sleep 1.5
  cp programa/usuarios.dat archivado.dat 2>/dev/null || fallo "no se ha creado usuarios.dat"

  # Sin impresora, a PDF en Documentos/HEXORA.
  clic "$I" 134 410
  [ -n "$(ventana 'Imprimir la consulta')" ] || fallo "no aparece la pantalla de imprimir"
  sleep 1; pulsar Return
  sleep 4; pulsar Return
  sleep 1; pulsar Escape
  sleep 1; pulsar Escape
  [ -n "$(ventana 'MENU PRINCIPAL')" ] || fallo "no se vuelve al menú"
  sleep 1

  # Recuperar la consulta y volver a leerla.
  clic 470 33
  R=$(ventana 'Recuperar Consulta')
  [ -n "$R" ] || fallo "no aparece la pantalla de recuperar"
  sleep 1; clic "$R" 461 -35
  [ -n "$(ventana 'Interpretación del hexagrama')" ] || fallo "no se vuelve a la interpretación"
  sleep 1.5; pulsar Escape; sleep 1

  clic 605 33
  sleep 1; pulsar Return
  for _ in $(seq 1 50); do kill -0 "$P" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$P" 2>/dev/null && fallo "el programa no termina tras confirmar la salida"
  wait "$P" || fallo "el programa terminó con error"
}
if [ "${1:-}" = --usuario ]; then
  usuario
  exit 0
fi

# shellcheck source=../comun.sh
source "$(dirname "$0")/../comun.sh"
requiere xvfb-run:xvfb xdotool:xdotool pdftotext:poppler-utils
mkdir -p "$trabajo/programa" "$trabajo/casa"
for f in hexora trigr.chi hexagr.chi BINARIO.dat HEXORA.HLP; do cp "$1/$f" "$trabajo/programa/"; done

if ! TRABAJO="$trabajo" timeout 180 xvfb-run -a -s "-screen 0 640x480x24" bash "$0" --usuario; then
  if [ -s "$trabajo/pantalla.png" ]; then
    cp "$trabajo/pantalla.png" recorrido-fallo.png
    echo "captura de la pantalla al fallar: $PWD/recorrido-fallo.png"
  fi
  muere "el recorrido no llegó al final"
fi
[ ! -s "$trabajo/errores.txt" ] || muere "el programa escribió en la salida de errores: $(cat "$trabajo/errores.txt")"

# El registro archivado, byte a byte: número, usuario, pregunta, figura y fecha de hoy.
figura=$(dd if="$trabajo/archivado.dat" bs=1 skip=137 count=6 2>/dev/null)
[[ "$figura" =~ ^[6-9]{6}$ ]] || muere "figura archivada no válida: $figura"
{
  printf '0001\0%-30s\0' "ANA"
  printf '%-100s\0' "$(printf '\xbfME CONVIENE CAMBIAR DE TRABAJO?')"
  printf '%s\0%s\0\0\0\0\0\0' "$figura" "$(date +%d/%m/%Y)"
} | cmp "$trabajo/archivado.dat" - || muere "el registro archivado no es el esperado"

pdf=$(find "$trabajo/casa" -name '*.pdf' | head -n 1)
[ -n "$pdf" ] || muere "no se ha impreso ningún PDF"
# Lo que lleva el informe lo miran las pruebas de impresión; aquí, que es el de esta consulta.
pdftotext -layout "$pdf" - | tr -s ' ' | grep -F "¿ME CONVIENE CAMBIAR DE TRABAJO?" >/dev/null \
  || muere "el PDF no trae la pregunta"
