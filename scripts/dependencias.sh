#!/usr/bin/env bash
# Instala con apt-get los paquetes de Debian que falten para compilar y probar HEXORA.
set -euo pipefail

PAQUETES=(
  cmake g++ make pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n
  hunspell hunspell-es
  libhyphen-dev hyphen-es
  fonts-dejavu-core fonts-liberation poppler-utils
  xvfb xauth xdotool openbox x11-utils
  # El banco de arranque habla con el servidor X por xcb.
  libxcb1-dev
  # import, para la captura del recorrido cuando falla.
  imagemagick-6.q16
  # El paquete de Debian: dpkg-shlibdeps y file para sus dependencias, appstreamcli para
  # validar el metainfo.
  dpkg-dev file appstream
)

faltan=()
for p in "${PAQUETES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan+=("$p")
  fi
done

[ ${#faltan[@]} -eq 0 ] && exit 0

echo "Instalando paquetes que faltan: ${faltan[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
  sudo_cmd=(sudo)
else
  echo "Faltan paquetes (${faltan[*]}) y no hay permisos para instalarlos: ejecute como root o instale sudo." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${faltan[@]}"
