# Apoyo común de los guiones de prueba (se carga con source).
# shellcheck shell=bash

# Sale como prueba omitida (77) si falta alguna orden; cada argumento es orden:paquete.
requiere() {
  local h
  for h in "$@"; do
    command -v "${h%%:*}" >/dev/null || { echo "SE OMITE: falta ${h%%:*} (paquete ${h##*:})"; exit 77; }
  done
}
# Una carpeta de trabajo, $trabajo, que se borra al salir.
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
# Una comprobación fallida: se anota y se sigue; el guion acaba con exit $fallos.
fallos=0
falla() { echo "FALLO: $*"; fallos=1; }
# Un fallo tras el que no tiene sentido seguir.
muere() { echo "FALLO: $*"; exit 1; }
