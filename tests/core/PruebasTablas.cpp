#include "CarpetaTemporal.h"
#include "core/ErrorArchivo.h"
#include "core/LectorCampos.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hexora;

namespace {

std::vector<std::string> campos(const std::string& texto) {
    LectorCampos lector(texto);
    std::vector<std::string> r;
    std::string c;
    while (lector.siguiente(c))
        r.push_back(c);
    return r;
}

using V = std::vector<std::string>;

// Tabla de trigramas válida, con n registros; el primero con el nombre dado.
std::string trigramas(const std::string& primero, int n = 8) {
    std::string t;
    for (int fila = 1; fila <= n; ++fila) {
        t += (fila == 1 ? primero : "T" + std::to_string(fila)) + ",Nombre " + std::to_string(fila);
        for (int c = 3; c <= 10; ++c)
            t += "," + std::to_string(fila * 100 + c);
        t += "\r\n";
    }
    return t;
}

// Tabla de hexagramas con n registros; sep separa los campos y fin cierra cada registro.
std::string hexagramas(int n = 64, const std::string& sep = ",", const std::string& fin = "\n") {
    std::string t;
    for (int fila = 1; fila <= n; ++fila)
        t += std::to_string(fila) + sep + "777" + sep + "888" + sep + "\"H" + std::to_string(fila) +
             "\"" + sep + "\"Segundo, " + std::to_string(fila) + "\"" + sep +
             std::to_string(fila * 80 + 1) + fin;
    return t;
}

} // namespace

TEST(LectorCampos, SeparadoresEspaciosYComillas) {
    EXPECT_EQ(campos("a,b\r\nc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(campos("   a  ,\t b"), (V{"a", "b"}));       // espacios iniciales fuera
    EXPECT_EQ(campos("a,,b"), (V{"a", "", "b"}));          // dos comas: campo vacío
    EXPECT_EQ(campos("a,\nb"), (V{"a", "", "b"}));         // coma al final de línea
    EXPECT_EQ(campos("a\n\n\nb\n"), (V{"a", "b"}));        // líneas vacías no cuentan
    EXPECT_EQ(campos("\" x, y \",z"), (V{" x, y ", "z"})); // comillas: coma dentro
    EXPECT_EQ(campos("\"ab\"cd ef,g"), (V{"ab", "g"}));    // tras la comilla se descarta
    EXPECT_EQ(campos("\"a\nb\",c"), (V{"a\nb", "c"}));     // hasta la comilla siguiente
    EXPECT_EQ(campos("\"sin cierre, z"), (V{"sin cierre, z"}));
    EXPECT_EQ(campos("Ch'ien,\"\""), (V{"Ch'ien", ""}));
    EXPECT_EQ(campos("a,"), (V{"a", ""}));
    EXPECT_EQ(campos(""), V{});
}

// La primera fila de los trigramas es siempre Ch'ien; lo demás se lee tal cual, esté en
// una línea o en muchas, y lo que sobra al final se ignora.
TEST(CargarTablas, FuerzaChienYLeeElRestoTalCual) {
    CarpetaTemporal carpeta;
    std::string unaLinea = trigramas("Otro");
    for (auto p = unaLinea.find("\r\n"); p != std::string::npos; p = unaLinea.find("\r\n"))
        unaLinea.replace(p, 2, ",");
    carpeta.escribir("trigr.chi", unaLinea + "sobra");
    carpeta.escribir("hexagr.chi", hexagramas(64, "\r\n", "\r\n") + "sobra,sobra\n");
    CargarTablas();
    EXPECT_EQ(TablaTrigramas[1][1] + "|" + TablaTrigramas[1][2] + "|" + TablaTrigramas[2][1] + "|" +
                  TablaTrigramas[8][10] + "|" + TablaTrigramas[0][0],
              "Ch'ien|Nombre 1|T2|810|");
    EXPECT_EQ(TablaHexagramas[64][1] + "|" + TablaHexagramas[2][5] + "|" + TablaHexagramas[64][6] +
                  "|" + TablaHexagramas[0][4],
              "64|Segundo, 2|5121|");
}

TEST(CargarTablas, ArchivoCortoOAusenteFallaSinTocarLasTablas) {
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", trigramas("Ch'ien"));
    carpeta.escribir("hexagr.chi", hexagramas());
    CargarTablas();
    carpeta.escribir("hexagr.chi", hexagramas(63));
    try {
        CargarTablas();
        FAIL() << "un archivo corto debe fallar";
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(e.archivo(), "hexagr.chi");
        EXPECT_NE(std::string(e.what()).find("378 campos"), std::string::npos) << e.what();
    }
    EXPECT_EQ(TablaHexagramas[64][6], "5121"); // siguen las anteriores, completas
    carpeta.escribir("trigr.chi", trigramas("Ch'ien", 7));
    EXPECT_THROW(CargarTablas(), ErrorArchivo);
    std::filesystem::remove(carpeta.ruta() / "trigr.chi");
    try {
        CargarTablas();
        FAIL() << "un archivo ausente debe fallar";
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(e.archivo(), "trigr.chi");
    }
    EXPECT_EQ(TablaTrigramas[8][10], "810");
}

// Tras cargar, cada fila ha de llevar su número y una posición que señale un texto ("*D")
// dentro de "BINARIO.dat"; si no, falla el arranque nombrando el archivo culpable.
TEST(CargarTablas, ComprobarTablasNombraElArchivoDanado) {
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", trigramas("Ch'ien"));
    // Las posiciones de la tabla de prueba son 80 * fila + 1: el texto de la fila f empieza
    // en el registro f + 1 (desde 0).
    std::string textos(80 * 66, ' ');
    for (int fila = 1; fila <= 64; ++fila)
        textos.replace(static_cast<std::size_t>(80 * (fila + 1)), 2, "*D");
    const auto archivoCulpable = [&](const std::string& hexagramas, const std::string& binario) {
        carpeta.escribir("hexagr.chi", hexagramas);
        carpeta.escribir("BINARIO.dat", binario);
        try {
            CargarTablas();
            ComprobarTablas();
        } catch (const ErrorArchivo& e) {
            return e.archivo();
        }
        return std::string("ninguno");
    };
    const std::string buena = hexagramas();
    EXPECT_EQ(archivoCulpable(buena, textos), "ninguno");
    std::string numero65 = buena;
    numero65.replace(numero65.find("\n5,") + 1, 1, "65");
    EXPECT_EQ(archivoCulpable(numero65, textos), "hexagr.chi");
    EXPECT_EQ(archivoCulpable(buena, textos.substr(0, 80 * 65)), "hexagr.chi"); // la 64, fuera
    std::string sinCabecera = textos;
    sinCabecera[80 * 11] = ' '; // el texto de la fila 10
    EXPECT_EQ(archivoCulpable(buena, sinCabecera), "hexagr.chi");
    std::filesystem::remove(carpeta.ruta() / "BINARIO.dat");
    try {
        ComprobarTablas();
        FAIL();
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(e.archivo(), "BINARIO.dat");
    }
}
