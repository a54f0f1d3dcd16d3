// La maquetación con una medida falsa en la que cada carácter mide 100 twips.

#include "core/AlmacenTextos.h"
#include "printing/Maquetacion.h"
#include "printing/Silabacion.h"

#include <gtest/gtest.h>

using namespace hexora;
using Lineas = std::vector<std::string>;

namespace {

class MedidaFalsa : public SuperficieMedida {
public:
    void Cls() override { x_ = 0; }
    void fijarX(double x) override { x_ = x; }
    double x() const override { return x_; }
    void fijarNombreFuente(const std::string&) override {}
    void fijarTamanoFuente(double) override {}
    void fijarNegrita(bool) override {}
    void fijarSubrayado(bool) override {}
    void imprimir(std::string_view t) override { x_ += 100.0 * static_cast<double>(t.size()); }

private:
    double x_ = 0;
};

// Límite con el que caben justo n caracteres en la línea.
double limiteTras(int n) { return 500 + 100.0 * n + 50; }

Lineas maquetar(Lineas entradas, double limite) {
    entradas.push_back("**");
    std::copy(entradas.begin(), entradas.end(), BufferTexto.begin() + 1);
    MedidaFalsa medida;
    Lineas salida;
    MaquetarTexto(medida, {"Serifa", 12}, 500, limite,
                  [&](const std::string& l) { salida.push_back(l); });
    return salida;
}

// Palabra con un guion en cada punto donde se puede partir.
std::string conCortes(const std::string& palabra) {
    const std::vector<bool> cortes = CortesPermitidos(palabra);
    std::string r;
    for (std::size_t k = 0; k < palabra.size(); ++k)
        r += palabra[k] + std::string(cortes[k] ? "-" : "");
    return r;
}

} // namespace

// Solo se parte donde dejan a la vez la regla del programa (consonante seguida de vocal,
// sin separar los pares inseparables ni tocar la puntuación) y la silabación española: ni
// los cortes mal hechos de antes (mient-ras, dup-licado, a-guardar, A-sí) ni los que el
// español sí deja (ha-blar, co-rrer). Sin patrones de guiones no se parte nada.
TEST(Maquetacion, SoloPartePorDondeDejanLaReglaYLaSilabacion) {
    for (std::string esperado :
         {"mientras", "pe-netra-ci\xF3n", "dupli-ca-do", "aguar-dar", "As\xED", "ad\xF3n-de",
          "hablar", "correr", "muer-te", "cons-tan-cia", "IN-TERPRE-TA-CI\xD3N",
          "\xBF"
          "Ca-sa,",
          "ca-ya"}) {
        std::string palabra = esperado;
        palabra.erase(std::remove(palabra.begin(), palabra.end(), '-'), palabra.end());
        EXPECT_EQ(conCortes(palabra), esperado);
    }
    fijarPatronesSilabacion("/no/existe/hyph_es_ES.dic");
    EXPECT_EQ(conCortes("duplicado"), "duplicado");
    EXPECT_EQ(maquetar({"ya casa."}, limiteTras(5)), (Lineas{"ya ", "casa.", ""}));
    fijarPatronesSilabacion({});
    EXPECT_TRUE(haySilabacion());
}

TEST(Maquetacion, NingunaLineaPasaDelLimite) {
    // La palabra se parte lo más tarde posible con su guion dentro; si no se puede, en el
    // último espacio, que se queda al final de la línea.
    EXPECT_EQ(maquetar({"uno canto."}, limiteTras(8)), (Lineas{"uno can-", "to.", ""}));
    EXPECT_EQ(maquetar({"uno dos tres."}, limiteTras(5)), (Lineas{"uno ", "dos ", "tres.", ""}));
    // El espacio que une dos entradas también corta, y una palabra se parte aunque acabe
    // la entrada.
    EXPECT_EQ(maquetar({"mast", "a b."}, limiteTras(5)), (Lineas{"mast ", "a b.", ""}));
    EXPECT_EQ(maquetar({"uno casa", "dos."}, limiteTras(7)), (Lineas{"uno ca-", "sa dos.", ""}));
    // La primera línea de un párrafo se mide con sus cinco espacios de sangría.
    EXPECT_EQ(maquetar({"   Una frase larga.", "   Otra."}, limiteTras(12)),
              (Lineas{"     Una", "frase larga.", "", "     Otra.", ""}));
    // Una palabra más larga que la línea se corta sin guion; un carácter, solo, aun con límite 0.
    EXPECT_EQ(maquetar({"xxxxxxxxxx."}, limiteTras(4)), (Lineas{"xxxx", "xxxx", "xx.", ""}));
    EXPECT_EQ(maquetar({"ab."}, 0), (Lineas{"a", "b", ".", ""}));
}

// Las entradas de un párrafo se unen con un espacio; el párrafo acaba en punto cuando sigue
// otro, un marcador o el terminador; una letra desconocida repite la cabecera anterior y lo
// que no acaba en punto se pierde. El terminador para la pasada aunque detrás quede texto de
// una carga anterior.
TEST(Maquetacion, ParrafosYCabeceras) {
    const double l = limiteTras(60);
    EXPECT_EQ(maquetar({"*D", "Primera parte.", "sigue.", "   Otro.", "*L", "Fin."}, l),
              (Lineas{"*n*DECISION", "Primera parte. sigue.", "", "     Otro.", "", "*n*LINEA ",
                      "Fin.", ""}));
    EXPECT_EQ(maquetar({"*X", "a.", "*C", "*Q", "b.", "   sin punto"}, l),
              (Lineas{"", "a.", "", "*n*COMENTARIO", "*n*COMENTARIO", "b.", ""}));
    EXPECT_EQ(maquetar({"Fin.", "", "   Nuevo.", "**", "   Resto viejo."}, l),
              (Lineas{"Fin. ", "", "     Nuevo.", ""}));
}
