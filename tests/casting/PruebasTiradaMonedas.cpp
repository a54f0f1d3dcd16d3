#include "casting/TiradaMonedas.h"
#include "core/EstadoConsulta.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>

using namespace hexora;

namespace {

class Tirada : public ::testing::Test {
protected:
    void SetUp() override { reiniciarEstadoConsulta(); }
    // Lanza las monedas desde cara y las para en seguida.
    void lanzar() {
        tirada.empezar();
        tirada.pulsar();
        tirada.pulsar();
    }
    // Repasa con el reloj 11 ms más cada vez hasta que sale la línea; devuelve los repasos.
    int repasarHastaLaLinea() {
        int repasos = 0;
        for (; tirada.lineas().empty() && repasos < 10000; ++repasos) {
            tirada.repasar(reloj);
            reloj += 0.011;
        }
        return repasos;
    }
    // Azar por guion: da los valores en orden y después repite el último.
    std::deque<double> azar{0.25};
    TiradaMonedas tirada{[this] {
        const double v = azar.front();
        if (azar.size() > 1)
            azar.pop_front();
        return v;
    }};
    double reloj = 0;
};

} // namespace

TEST_F(Tirada, LaParadaSigueAlRelojYSeQuedaEnLaCaraQueToca) {
    // Con r = 0 cada moneda frena a un paso por fotograma y da 4 caras más: cruz, cara,
    // cruz y cara (tres caras, un 6). Son 16 pasos y un repaso más que las ve paradas.
    azar = {0};
    lanzar();
    EXPECT_EQ(tirada.Vueltas, (std::array<short, 3>{4, 4, 4}));
    EXPECT_EQ(repasarHastaLaLinea(), 17);
    EXPECT_EQ(tirada.lineas(), "6");
    // Con r = 0,25: dos pasos por fotograma y 5 caras, de cara acaba en cruz: un 9.
    azar = {0.25};
    lanzar();
    EXPECT_EQ(repasarHastaLaLinea(), 41);
    EXPECT_EQ(tirada.lineas(), "9");
    // Cada moneda con lo suyo: 4, 5 y 4 caras (4,5 va al par) dan cara, cruz y cara: un 7.
    azar = {0.25, 0.25, 0.25, 0.25, 0, 0, 0.25, 0, 0.125};
    lanzar();
    EXPECT_EQ(tirada.Vueltas, (std::array<short, 3>{4, 5, 4}));
    EXPECT_EQ(tirada.Ritmo, (std::array<short, 3>{2, 1, 1}));
    repasarHastaLaLinea();
    EXPECT_EQ(tirada.lineas(), "7");
    EXPECT_EQ(tirada.moneda[1], Fotograma::cruz);
}

// Líneas con azar sembrado, giros de duración variable y un temporizador que a veces llega
// tarde: cada línea sale con las tres monedas paradas sobre una cara, cada moneda cae de
// cara la mitad de las veces y los valores 6, 7, 8 y 9 salen con 1/8, 3/8, 3/8 y 1/8. Con
// 1.000 líneas y un umbral de p = 0,001 la prueba descubre con una potencia de más del 99 %
// una moneda que caiga de un lado el 60 % de las veces.
TEST_F(Tirada, EquidadDeLasMonedas) {
    std::mt19937 generador(20240611);
    std::uniform_real_distribution<double> uniforme(0.0, 1.0);
    TiradaMonedas t([&] { return uniforme(generador); });
    std::uniform_int_distribution<int> giro(0, 400);
    std::uniform_real_distribution<double> retraso(0.002, 0.03);
    constexpr int kLineas = 1000;
    std::array<int, 4> valores{};
    std::array<int, 3> caras{};
    for (int n = 0; n < kLineas; ++n) {
        if (n % 6 == 0)
            t.empezar();
        t.pulsar();
        for (int i = giro(generador); i > 0; --i)
            t.paso();
        t.pulsar();
        while (t.lineas().size() == static_cast<std::size_t>(n % 6)) {
            t.repasar(reloj);
            reloj += retraso(generador);
        }
        // La cara vale 2 y la cruz 3: la línea es 9 menos las caras.
        int deCara = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            ASSERT_TRUE(t.moneda[i] == Fotograma::cara || t.moneda[i] == Fotograma::cruz);
            caras[i] += t.moneda[i] == Fotograma::cara;
            deCara += t.moneda[i] == Fotograma::cara;
        }
        ASSERT_EQ(t.lineas().back(), '9' - deCara);
        ++valores[static_cast<std::size_t>(t.lineas().back() - '6')];
    }
    // Chi-cuadrado: 16,27 con 3 grados de libertad y 10,83 con 1 (p = 0,001).
    const std::array<double, 4> probabilidad = {1.0 / 8, 3.0 / 8, 3.0 / 8, 1.0 / 8};
    double chi2 = 0;
    for (std::size_t v = 0; v < 4; ++v) {
        const double esperado = kLineas * probabilidad[v];
        chi2 += (valores[v] - esperado) * (valores[v] - esperado) / esperado;
    }
    EXPECT_LT(chi2, 16.27) << valores[0] << " " << valores[1] << " " << valores[2] << " "
                           << valores[3];
    for (int deCara : caras)
        EXPECT_LT(2.0 * (deCara - kLineas / 2.0) * (deCara - kLineas / 2.0) / (kLineas / 2.0),
                  10.83)
            << deCara;
}
