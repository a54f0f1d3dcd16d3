// Comprueba los archivos de datos tal como se entregan junto al programa.

#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/CarpetaPrograma.h"
#include "core/Cp1252.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace hexora;

namespace {

class DatosEntregados : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
        CargarTablas();
    }

    static std::string figuraJoven(int fila) {
        return TablaHexagramas[fila][3] + TablaHexagramas[fila][2];
    }
};

// La impresión solo cierra un párrafo donde termina en punto.
bool parrafosTerminanEnPunto(const std::string& texto) {
    std::size_t ini = 0;
    for (;;) {
        const auto fin = texto.find("\r\n\r\n", ini);
        const auto parrafo = recortarDerecha(std::string_view(texto).substr(
            ini, fin == std::string::npos ? std::string::npos : fin - ini));
        if (parrafo.empty() || parrafo.back() != '.')
            return false;
        if (fin == std::string::npos)
            return true;
        ini = fin + 4;
    }
}

std::string todasLasCadenas(int longitud, int indice) {
    std::string s;
    for (int k = 0; k < longitud; ++k, indice /= 4)
        s += static_cast<char>('6' + indice % 4);
    return s;
}

} // namespace

TEST_F(DatosEntregados, CadaFiguraTieneExactamenteUnHexagrama) {
    for (int i = 0; i < 4096; ++i) {
        const auto figura = todasLasCadenas(6, i);
        std::string joven = figura;
        std::replace(joven.begin(), joven.end(), '6', '8');
        std::replace(joven.begin(), joven.end(), '9', '7');
        int coincidencias = 0;
        for (int fila = 1; fila <= 64; ++fila)
            coincidencias += figuraJoven(fila) == joven;
        ASSERT_EQ(coincidencias, 1) << figura;
        const int numero = NumeroHexagrama(figura);
        ASSERT_GE(numero, 1) << figura;
        ASSERT_EQ(figuraJoven(numero), joven) << figura; // la fila r es el hexagrama r
    }
}

TEST_F(DatosEntregados, CadaCodigoTieneExactamenteUnTrigrama) {
    for (int i = 0; i < 64; ++i) {
        const auto codigo = todasLasCadenas(3, i);
        int coincidencias = 0;
        for (int fila = 1; fila <= 8; ++fila)
            coincidencias += static_cast<int>(
                std::count(TablaTrigramas[fila].begin() + 3, TablaTrigramas[fila].end(), codigo));
        EXPECT_EQ(coincidencias, 1) << codigo;
    }
    EXPECT_EQ(NombreTrigrama("999"), "Ch'ien, El Cielo");
    EXPECT_EQ(NombreTrigrama("696"), "K'an, El Agua");
}

// En el orden tradicional cada hexagrama par es el impar anterior vuelto del revés, o su
// inverso cuando la figura es simétrica.
TEST_F(DatosEntregados, OrdenTradicionalPorParejas) {
    const auto inverso = [](std::string s) {
        for (auto& c : s)
            c = c == '7' ? '8' : '7';
        return s;
    };
    for (int impar = 1; impar < 64; impar += 2) {
        const auto a = figuraJoven(impar);
        const std::string alReves(a.rbegin(), a.rend());
        EXPECT_EQ(figuraJoven(impar + 1), alReves == a ? inverso(a) : alReves) << impar;
    }
    EXPECT_EQ(figuraJoven(1), "777777");
    EXPECT_EQ(figuraJoven(3), "788878"); // el trueno bajo el agua
    EXPECT_EQ(figuraJoven(11), "777888");
    EXPECT_EQ(figuraJoven(63), "787878");
}

TEST_F(DatosEntregados, CadaBloqueCabeConLasSeisLineasMutantes) {
    const std::string interpretacion = "INTERPRETACI\xD3N";
    for (int fila = 1; fila <= 64; ++fila) {
        std::string figura = figuraJoven(fila);
        for (auto& c : figura)
            c = c == '7' ? '9' : '6';
        std::vector<int> lineas;
        ASSERT_NO_THROW(CargarBuffer(figura, [&](int k) { lineas.push_back(k); })) << fila;
        EXPECT_EQ(lineas, (std::vector<int>{1, 2, 3, 4, 5, 6})) << fila;
        for (const char* codigo : {"D", "C", "I"}) {
            const auto s = ExtraerSeccion(codigo);
            EXPECT_FALSE(s.texto.empty()) << fila << codigo;
            EXPECT_TRUE(parrafosTerminanEnPunto(s.texto)) << fila << codigo;
        }
        for (const char* codigo : {"L1", "L2", "L3", "L4", "L5", "L6"}) {
            const auto s = ExtraerSeccion(codigo);
            EXPECT_FALSE(s.texto.empty()) << fila << codigo;
            EXPECT_TRUE(parrafosTerminanEnPunto(s.texto)) << fila << codigo;
            EXPECT_TRUE(parrafosTerminanEnPunto(s.interpretacion)) << fila << codigo;
            EXPECT_EQ(mayusculas(recortar(s.interpretacion).substr(0, 14)), interpretacion)
                << fila << codigo;
        }
    }
}

TEST_F(DatosEntregados, TodosLosHexagramasTienenSuTexto) {
    for (int fila = 1; fila <= 64; ++fila) {
        CargarBuffer(figuraJoven(fila));
        const auto comentario = ExtraerSeccion("C").texto;
        EXPECT_EQ(comentario.find("pendiente de redacci"), std::string::npos) << fila;
        EXPECT_NE(comentario.find("\r\n\r\n"), std::string::npos) << fila; // varios párrafos
    }
}
