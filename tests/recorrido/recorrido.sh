#!/usr/bin/env bash
# Recorrido completo del programa real en una pantalla virtual (Xvfb), manejado con
# xdotool como lo haría un usuario: aviso, pregunta, seis tiradas, interpretación y
# complementario, archivar, imprimir a PDF, recuperar, borrar y salir. Comprueba los
# bytes del archivo de consultas, el texto del PDF y que el programa, arrancado sin sesión
# (sin XDG_RUNTIME_DIR, como root en una consola), no escribe nada en la salida de errores.
# Si falla en pantalla, deja una captura en recorrido-fallo.png de la carpeta actual.
set -uo pipefail
programa="$1"

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null \
   || ! command -v pdftotext >/dev/null; then
  echo "SE OMITE: faltan xvfb-run, xdotool o pdftotext para el recorrido en pantalla virtual."
  exit 77
fi

trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
mkdir -p "$trabajo/programa" "$trabajo/casa"
cp "$programa"/hexora "$programa"/trigr.chi "$programa"/hexagr.chi "$programa"/BINARIO.dat \
   "$programa"/HEXORA.HLP "$trabajo/programa/"

cat > "$trabajo/usuario.sh" <<'GUION'
#!/usr/bin/env bash
set -u
cd "$TRABAJO"
fallo() {
  echo "FALLO: $*"
  import -window root "$TRABAJO/pantalla.png" || echo "no se pudo capturar la pantalla con import"
  kill "$P" 2>/dev/null
  exit 1
}
# Espera a que aparezca una ventana con ese título (hasta 15 s) y da su identificador.
ventana() { timeout 15 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
pulsar() { xdotool key --delay 60 "$@"; }
clic() { xdotool mousemove "$1" "$2" click 1; }
# Clic relativo a la esquina de una ventana.
clic_en() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# Clic a tantos píxeles del borde de abajo (los botones de una ventana que puede crecer).
clic_abajo() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + HEIGHT - $3)) click 1
}

mkdir -p tmp
env -u XDG_RUNTIME_DIR TMPDIR="$TRABAJO/tmp" HOME="$TRABAJO/casa" \
  XDG_CONFIG_HOME="$TRABAJO/casa/.config" ./programa/hexora 2> errores.txt &
P=$!

[ -n "$(ventana FRM256)" ] || fallo "no aparece el aviso de pantalla"
sleep 1.5; pulsar Return
[ -n "$(ventana 'MENU PRINCIPAL')" ] || fallo "no aparece el menú principal"
# Sin sesión, el bloqueo de instancia va a una carpeta privada del usuario.
privada="tmp/runtime-$(id -u)"
[ "$(stat -c %a "$privada" 2>/dev/null)" = 700 ] || fallo "no hay carpeta privada $privada"
[ -e "$privada/hexora.lock" ] || fallo "el bloqueo no está en $privada"
sleep 1.5

# Pregunta y tirada.
clic 34 33
sleep 1.5
xdotool type --delay 30 "me conviene cambiar de trabajo"
pulsar Tab Return
[ -n "$(ventana 'Hechar Monedas')" ] || fallo "no aparece la tirada"
sleep 1
for _ in 1 2 3 4 5 6; do pulsar space; sleep 0.5; pulsar space; sleep 2; done
I=$(ventana 'Interpretación del hexagrama')
[ -n "$I" ] || fallo "no aparece la interpretación tras la sexta línea"
sleep 1.5

# Los botones del menú de la interpretación van abajo a la izquierda, a 52 píxeles uno de
# otro. Al complementario y vuelta (si no hay líneas mutantes sale un aviso que Intro
# cierra; si no, Intro pulsa "Decisión", que tiene el foco).
for _ in 1 2; do clic_en "$I" 30 410; sleep 1; pulsar Return; sleep 0.5; done

# Archivar a nombre de "ana".
clic_en "$I" 82 410
G=$(ventana 'Grabar Consulta')
[ -n "$G" ] || fallo "no aparece la pantalla de archivar"
xdotool type --delay 30 "ana"
pulsar Return
sleep 1.5
cp programa/usuarios.dat archivado.dat 2>/dev/null || fallo "no se ha creado usuarios.dat"

# Imprimir el hexagrama que se ve (sin impresora: a PDF en Documentos/HEXORA).
clic_en "$I" 134 410
[ -n "$(ventana 'Imprimir la consulta')" ] || fallo "no aparece la pantalla de imprimir"
sleep 1; pulsar Return
sleep 4; pulsar Return
sleep 1; pulsar Escape
sleep 1; pulsar Escape
[ -n "$(ventana 'MENU PRINCIPAL')" ] || fallo "no se vuelve al menú"
sleep 1

# Recuperar la consulta archivada y volver a leerla.
clic 470 33
R=$(ventana 'Recuperar Consulta')
[ -n "$R" ] || fallo "no aparece la pantalla de recuperar"
sleep 1; clic_abajo "$R" 461 35
[ -n "$(ventana 'Interpretación del hexagrama')" ] || fallo "no se vuelve a la interpretación"
sleep 1.5; pulsar Escape; sleep 1

# Borrarla: era la única, así que el archivo desaparece.
clic 470 33
R=$(ventana 'Recuperar Consulta')
[ -n "$R" ] || fallo "no aparece la pantalla de recuperar para borrar"
sleep 1; clic_abajo "$R" 51 35
sleep 1; pulsar Return
sleep 1.5; pulsar Return
sleep 1
[ ! -e programa/usuarios.dat ] || fallo "la consulta borrada sigue en usuarios.dat"

# Salir con la confirmación.
clic 605 33
sleep 1; pulsar Return
for _ in $(seq 1 50); do kill -0 "$P" 2>/dev/null || break; sleep 0.2; done
kill -0 "$P" 2>/dev/null && fallo "el programa no termina tras confirmar la salida"
wait "$P" || fallo "el programa terminó con error"
echo "recorrido completo"
GUION
chmod +x "$trabajo/usuario.sh"

TRABAJO="$trabajo" timeout 180 xvfb-run -a -s "-screen 0 640x480x24" "$trabajo/usuario.sh"
estado=$?
if [ $estado -ne 0 ]; then
  echo "el recorrido falló (estado $estado)"
  if [ -s "$trabajo/pantalla.png" ]; then
    cp "$trabajo/pantalla.png" recorrido-fallo.png
    echo "captura de la pantalla al fallar: $PWD/recorrido-fallo.png"
  fi
  exit 1
fi
if [ -s "$trabajo/errores.txt" ]; then
  echo "el programa escribió en la salida de errores:"
  cat "$trabajo/errores.txt"
  exit 1
fi

# El registro archivado, byte a byte: número, usuario, pregunta, figura y fecha de hoy.
archivado="$trabajo/archivado.dat"
[ "$(stat -c %s "$archivado")" -eq 160 ] || { echo "usuarios.dat no mide 160 bytes"; exit 1; }
figura=$(dd if="$archivado" bs=1 skip=137 count=6 2>/dev/null)
[[ "$figura" =~ ^[6-9]{6}$ ]] || { echo "figura archivada no válida: $figura"; exit 1; }
{
  printf '0001\0%-30s\0' "ANA"
  printf '%-100s\0' "$(printf '\xbfME CONVIENE CAMBIAR DE TRABAJO?')"
  printf '%s\0%s\0\0\0\0\0\0' "$figura" "$(date +%d/%m/%Y)"
} > "$trabajo/esperado.dat"
cmp "$archivado" "$trabajo/esperado.dat" || { echo "el registro archivado no es el esperado"; exit 1; }

pdf=$(find "$trabajo/casa" -name '*.pdf' | head -n 1)
[ -n "$pdf" ] || { echo "no se ha impreso ningún PDF"; exit 1; }
texto=$(pdftotext -layout "$pdf" - | tr -s ' ')
for buscado in "CONSULTA:" "¿ME CONVIENE CAMBIAR DE TRABAJO?" "DECISION" "COMENTARIO" "IMAGEN"; do
  grep -q -F "$buscado" <<<"$texto" || { echo "el PDF no contiene \"$buscado\""; exit 1; }
done
# Cada línea mutante de la figura tiene su apartado en el informe.
for k in 1 2 3 4 5 6; do
  case "${figura:k-1:1}" in 6|9)
    grep -q -E "LINEA $k" <<<"$texto" || { echo "el PDF no trae la línea $k mutante de $figura"; exit 1; } ;;
  esac
done
[ ! -e "$trabajo/programa/inter.tmp" ] || { echo "queda inter.tmp"; exit 1; }
echo "figura $figura: archivo y PDF correctos"
