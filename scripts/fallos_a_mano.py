#!/usr/bin/env python3
"""Fallos hechos a mano para medir la fuerza de las pruebas: cada uno cambia una línea del
programa por un error plausible; una suite sana debe cazarlos todos.
  scripts/fallos_a_mano.py listar
  scripts/fallos_a_mano.py aplicar ID [ARBOL]   (ARBOL: raíz del checkout, por omisión .)
  scripts/fallos_a_mano.py quitar ID [ARBOL]    (deshace con git checkout del archivo)
  scripts/fallos_a_mano.py medir [IDS...] [--arbol A] [--build B] [-R regex] [-E regex]
      aplica cada fallo, compila, corre ctest --stop-on-failure y dice si se caza.
"""
import subprocess, sys, os, time

F = [
 ("F01", "core/Aritmetica.cpp", "TablaHexagramas[fila][3] + TablaHexagramas[fila][2]", "TablaHexagramas[fila][2] + TablaHexagramas[fila][3]", "trigramas cambiados al buscar la figura"),
 ("F02", "core/EstadoConsulta.cpp", "c = '7';", "c = '6';", "el complementario no cambia el yin viejo"),
 ("F03", "casting/TiradaMonedas.cpp", "case Fotograma::cara: return 2;\n    case Fotograma::cruz: return 3;", "case Fotograma::cara: return 3;\n    case Fotograma::cruz: return 2;", "valores de cara y cruz cambiados"),
 ("F04", "casting/Figuras.cpp", "    Hexagrama = std::string(Hexagrama.recortado()) + valor;\n    return lugar;", "    Hexagrama = std::string(Hexagrama.recortado()) + valor;\n    return 5 - lugar;", "orden de las líneas al revés"),
 ("F05", "archive/ArchivoConsultas.cpp", "    std::stable_sort(registros.begin()", "    if (false) std::stable_sort(registros.begin()", "el archivo no se ordena"),
 ("F06", "core/EscrituraAtomica.cpp", "if (sistema::sincronizar(fd) != 0)", "if (false && sistema::sincronizar(fd) != 0)", "fsync del temporal quitado"),
 ("F07", "printing/Maquetacion.cpp", "\"br\", \"bl\", \"pr\", \"ah\"}", "\"br\", \"bl\", \"pr\", \"ah\", \"nt\"}", "par inseparable de más (nt)"),
 ("F08", "shell/FRMPRINCIPAL.cpp", "    PreguntaAnterior = \"\";\n    prepararCarpetaPrograma();", "    prepararCarpetaPrograma();", "el arranque no vacía la última pregunta"),
 ("F09", "platform/Plataforma.cpp", "{\"qtbase_es\", \"qt_es\"}", "{\"qtbase_xx\", \"qt_xx\"}", "faltan las traducciones de Qt"),
 ("F10", "archive/BusquedaConsultas.cpp", "    base(\"\\xD1\\xF1\", 'n');\n", "", "la búsqueda no pliega la eñe"),
 ("F11", "archive/ArchivoConsultas.cpp", "registros.erase(registros.begin() + static_cast<std::ptrdiff_t>(indice));", "registros.erase(registros.begin() + static_cast<std::ptrdiff_t>(indice > 0 ? indice - 1 : 0));", "se borra el registro anterior"),
 ("F12", "interpretation/FRMInterpretar.cpp", "default: return \"L\" + std::to_string(indice - 2);", "default: return \"L\" + std::to_string(indice - 3);", "sección de línea desplazada"),
 ("F13", "printing/Maquetacion.cpp", "while (c != ' ' && renglon_.ancho() > disponible_)", "while (c != ' ' && renglon_.ancho() > disponible_ * 1.03)", "el renglón se pasa un poco del margen"),
 ("F14", "widgets/NombresHexagrama.cpp", "QStringLiteral(\"Línea %1\").arg(lugar + 1)", "QStringLiteral(\"Línea %1\").arg(lugar)", "nombre accesible de línea desplazado"),
 ("F15", "casting/Pregunta.cpp", "        r.insert(r.begin(), kAbre);\n", "", "la pregunta no abre con ¿"),
 ("F16", "core/Cp1252.cpp", "    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)\n        return static_cast<char>(b - 0x20);", "    if (b >= 0xE0 && b <= 0xFE && b != 0xF7 && b != 0xF1)\n        return static_cast<char>(b - 0x20);", "ñ no pasa a mayúscula"),
 ("F17", "core/LectorArchivo.cpp", "        if (errno == ENOENT)\n            return false;\n        fallar(nombre, \"no se puede consultar\", errno);", "        if (errno == ENOENT || errno == EIO)\n            return false;\n        fallar(nombre, \"no se puede consultar\", errno);", "un stat con EIO se da por archivo ausente"),
 ("F18", "core/Tablas.cpp", "if (std::nearbyint(valorDecimal(h[1])) != static_cast<double>(fila))", "if (false && std::nearbyint(valorDecimal(h[1])) != static_cast<double>(fila))", "no se comprueba el número de cada fila"),
 ("F19", "archive/ArchivoConsultas.cpp", "return dosCifras(dia) + \"/\" + dosCifras(mes)", "return dosCifras(dia) + \"/\" + std::to_string(mes)", "el mes sin dos cifras"),
 ("F20", "casting/FRM64HEXAGRAMAS.cpp", "const int fila = indice + 1;", "const int fila = indice > 0 ? indice : 1;", "la lista de los 64 da la figura anterior"),
 ("F21", "platform/Formulario.cpp", "evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter", "evento->key() == Qt::Key_Return", "el Intro del teclado numérico no pulsa el botón"),
 ("F22", "core/LlamadasSistema.cpp", "        escrito += static_cast<std::size_t>(e);", "        escrito = n;", "una escritura corta se da por completa"),
 ("F23", "core/Superficies.h", "constexpr double kMargenIzquierdo = 500;", "constexpr double kMargenIzquierdo = 300;", "el margen izquierdo del informe, más estrecho"),
]
POR_ID = {f[0]: f for f in F}

def aplicar(fid, arbol):
    _, ruta, viejo, nuevo, _ = POR_ID[fid]
    p = os.path.join(arbol, ruta)
    s = open(p, encoding="utf-8").read()
    if s.count(viejo) != 1:
        sys.exit(f"{fid}: el texto a cambiar aparece {s.count(viejo)} veces en {ruta}")
    open(p, "w", encoding="utf-8").write(s.replace(viejo, nuevo))

def quitar(fid, arbol):
    subprocess.run(["git", "-C", arbol, "checkout", "--", POR_ID[fid][1]], check=True)

def medir(ids, arbol, build, regex, excluir=None):
    res = []
    for fid in ids:
        ruta = POR_ID[fid][1]
        if subprocess.run(["git", "-C", arbol, "diff", "--quiet", "--", ruta]).returncode != 0:
            sys.exit(f"{ruta} tiene cambios sin guardar; no mido sobre él")
        aplicar(fid, arbol)
        t = time.time()
        try:
            b = subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True, text=True)
            if b.returncode != 0:
                res.append((fid, "NO COMPILA")); print(b.stdout[-2000:], b.stderr[-2000:]); continue
            cmd = ["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--timeout", "120"]
            if regex: cmd += ["-R", regex]
            if excluir: cmd += ["-E", excluir]
            c = subprocess.run(cmd, capture_output=True, text=True)
            fallidas = [l.strip() for l in c.stdout.splitlines() if "***Failed" in l or "Exception" in l or "***Timeout" in l or "(Failed)" in l]
            estado = "cazado" if c.returncode != 0 else "NO CAZADO"
            res.append((fid, estado + (" por " + "; ".join(fallidas[:3]) if fallidas else "")))
        finally:
            quitar(fid, arbol)
        print(f"{fid} {POR_ID[fid][4]}: {res[-1][1]} ({time.time()-t:.0f} s)", flush=True)
    subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True)
    cazados = sum(1 for r in res if r[1].startswith("cazado"))
    print(f"== {cazados} de {len(res)} cazados")

if __name__ == "__main__":
    a = sys.argv[1:]
    if not a or a[0] == "listar":
        for f in F: print(f[0], f[1], "-", f[4])
    elif a[0] == "aplicar": aplicar(a[1], a[2] if len(a) > 2 else ".")
    elif a[0] == "quitar": quitar(a[1], a[2] if len(a) > 2 else ".")
    elif a[0] == "medir":
        arbol, build, regex, excluir, ids = ".", None, None, None, []
        i = 1
        while i < len(a):
            if a[i] == "--arbol": arbol = a[i+1]; i += 2
            elif a[i] == "--build": build = a[i+1]; i += 2
            elif a[i] == "-R": regex = a[i+1]; i += 2
            elif a[i] == "-E": excluir = a[i+1]; i += 2
            else: ids.append(a[i]); i += 1
        medir(ids or [f[0] for f in F], arbol, build or os.path.join(arbol, "build"), regex, excluir)
