#pragma once
// Mecánica de la tirada con tres monedas, sin pantalla: el ciclo de fotogramas de cada
// moneda, el giro, la parada, la línea que dan sus caras y la espera tras la sexta línea.
// El azar y el reloj vienen de fuera para que las pruebas los gobiernen; la pantalla solo
// dibuja lo que hay aquí y reenvía las pulsaciones y los tics de sus temporizadores.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace hexora {

// Fotogramas de una moneda en el orden de su vuelta: las dos caras y los cantos entre ellas.
enum class Fotograma { cara, canto1, canto2, canto3, cruz, canto4, canto5, canto6 };

// Nombre del fotograma (lo que guarda la etiqueta de la moneda), su imagen en grfmoneda
// (el canto de perfil, la 2, sirve a la ida y a la vuelta) y el que le sigue.
std::string_view nombreFotograma(Fotograma f);
int imagenFotograma(Fotograma f);
Fotograma siguienteFotograma(Fotograma f);
bool esCanto(Fotograma f);

// Valor de una moneda en reposo: 2 la cara y 3 la cruz.
int valorCara(Fotograma f);

// Entero más próximo; los medios van al par.
short redondearAlPar(double x);

enum class FaseTirada {
    Preparada, // se espera la pulsación que lanza las monedas
    Girando,   // giran hasta que se pulsa parar
    Parando,   // frenan hasta quedar las tres de cara o de cruz
    Pausa,     // sexta línea puesta: espera antes de cerrar
    Terminada, // hexagrama completo y aceptado
    Cancelada,
};

class TiradaMonedas {
public:
    static constexpr short kParada = 99;           // Cuenta de una moneda ya parada
    static constexpr double kIntervaloPaso = 0.01; // segundos mínimos entre pasos al parar
    static constexpr double kPausaFinal = 1.5;     // segundos tras la sexta línea

    // azar da números uniformes en [0, 1).
    explicit TiradaMonedas(std::function<double()> azar);

    // Empieza de nuevo: guarda Hexagrama y lo vacía, monedas de cara, ninguna línea.
    void empezar();
    // Pulsación del botón: lanza las monedas o empieza a pararlas.
    void pulsar();
    // Un paso de la animación (cada tic mientras giran; también al parar).
    void paso();
    // Una vuelta del bucle de parada, o una mirada al reloj durante la pausa final.
    void repasar(double ahora);
    // Abandona la tirada: Hexagrama vuelve a su valor de antes y nada más cambia.
    void cancelar();

    FaseTirada fase() const { return fase_; }
    bool girando() const { return fase_ == FaseTirada::Girando; }
    bool parandoOEsperando() const {
        return fase_ == FaseTirada::Parando || fase_ == FaseTirada::Pausa;
    }
    bool botonActivo() const {
        return fase_ == FaseTirada::Preparada || fase_ == FaseTirada::Girando;
    }
    // Texto de estado del botón y su imagen (0 tirar, 1 parar).
    std::string_view estadoBoton() const;
    int imagenBoton() const;

    // Líneas echadas en esta tirada, la de abajo primero.
    const std::string& lineas() const { return lineas_; }
    // Valor de la línea que forman las tres monedas en reposo ("6" a "9").
    char valorLinea() const;

    std::array<Fotograma, 3> moneda{};
    std::array<short, 3> Cuenta{};
    std::array<short, 3> Ritmo{};
    std::array<short, 3> Vueltas{};

private:
    void pasoAnimacion();
    void ponerlinea(double ahora);

    std::function<double()> azar_;
    FaseTirada fase_ = FaseTirada::Preparada;
    std::string HexagramaGuardado;
    std::string lineas_;
    std::optional<double> ultimoPaso_;
    double inicioPausa_ = 0;
};

} // namespace hexora
