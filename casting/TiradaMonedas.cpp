#include "TiradaMonedas.h"

#include "core/EstadoConsulta.h"

#include <cmath>

namespace hexora {

namespace {

struct DatosFotograma {
    std::string_view nombre;
    int imagen;
};

// En el orden de Fotograma: cara, tres cantos, cruz, tres cantos y otra vez cara.
constexpr std::array<DatosFotograma, 8> kFotogramas = {{
    {"cara", 0},
    {"canto1", 1},
    {"canto2", 2},
    {"canto3", 3},
    {"cruz", 4},
    {"canto4", 5},
    {"canto5", 2},
    {"canto6", 6},
}};

const DatosFotograma& datos(Fotograma f) { return kFotogramas[static_cast<std::size_t>(f)]; }

} // namespace

std::string_view nombreFotograma(Fotograma f) { return datos(f).nombre; }

int imagenFotograma(Fotograma f) { return datos(f).imagen; }

Fotograma siguienteFotograma(Fotograma f) {
    return static_cast<Fotograma>((static_cast<int>(f) + 1) % 8);
}

bool esCanto(Fotograma f) { return f != Fotograma::cara && f != Fotograma::cruz; }

int valorCara(Fotograma f) {
    switch (f) {
    case Fotograma::cara: return 2;
    case Fotograma::cruz: return 3;
    default: return 0;
    }
}

short redondearAlPar(double x) {
    const double abajo = std::floor(x);
    const double resto = x - abajo;
    double r = abajo;
    if (resto > 0.5 || (resto == 0.5 && std::fmod(abajo, 2.0) != 0.0))
        r = abajo + 1;
    return static_cast<short>(r);
}

TiradaMonedas::TiradaMonedas(std::function<double()> azar) : azar_(std::move(azar)) {}

void TiradaMonedas::empezar() {
    HexagramaGuardado = Hexagrama.valor();
    Hexagrama = "";
    lineas_.clear();
    moneda.fill(Fotograma::cara);
    Cuenta.fill(0);
    Ritmo.fill(0);
    Vueltas.fill(0);
    ultimoPaso_.reset();
    fase_ = FaseTirada::Preparada;
}

void TiradaMonedas::pulsar() {
    if (fase_ == FaseTirada::Preparada) {
        // Cada moneda gira a su paso: un fotograma cada 2 o 3 tics.
        for (std::size_t i = 0; i < 3; ++i) {
            Cuenta[i] = Ritmo[i] = redondearAlPar(azar_() + 2);
            Vueltas[i] = -1;
        }
        fase_ = FaseTirada::Girando;
    } else if (fase_ == FaseTirada::Girando) {
        // Al frenar, 1 a 3 pasos por fotograma y de 4 a 8 caras más antes de quedarse.
        for (std::size_t i = 0; i < 3; ++i) {
            Cuenta[i] = Ritmo[i] = redondearAlPar(2 * azar_() + 1);
            Vueltas[i] = redondearAlPar(4 * azar_() + 4);
        }
        ultimoPaso_.reset();
        fase_ = FaseTirada::Parando;
    }
}

void TiradaMonedas::paso() {
    if (fase_ == FaseTirada::Girando)
        pasoAnimacion();
}

void TiradaMonedas::pasoAnimacion() {
    for (std::size_t i = 0; i < 3; ++i) {
        if (Cuenta[i] != kParada)
            --Cuenta[i];
        if (Cuenta[i] <= 0) {
            Cuenta[i] = Ritmo[i];
            moneda[i] = siguienteFotograma(moneda[i]);
            if (!esCanto(moneda[i]))
                --Vueltas[i];
        }
        if (Vueltas[i] < 0)
            Vueltas[i] = 0;
    }
}

void TiradaMonedas::repasar(double ahora) {
    if (fase_ == FaseTirada::Pausa) {
        if (ahora - inicioPausa_ > kPausaFinal)
            fase_ = FaseTirada::Terminada;
        return;
    }
    if (fase_ != FaseTirada::Parando)
        return;
    bool todas = true;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!esCanto(moneda[i]) && Vueltas[i] <= 0) {
            Cuenta[i] = Ritmo[i] = kParada;
            continue;
        }
        todas = false;
        // El reloj marca el paso, no el número de vueltas del bucle.
        if (!ultimoPaso_ || ahora - *ultimoPaso_ > kIntervaloPaso) {
            pasoAnimacion();
            ultimoPaso_ = ahora;
        }
    }
    if (todas)
        ponerlinea(ahora);
}

void TiradaMonedas::ponerlinea(double ahora) {
    lineas_ += valorLinea();
    Hexagrama = lineas_;
    if (lineas_.size() == 6) {
        fase_ = FaseTirada::Pausa;
        inicioPausa_ = ahora;
    } else {
        fase_ = FaseTirada::Preparada;
    }
}

void TiradaMonedas::cancelar() {
    Hexagrama = HexagramaGuardado;
    fase_ = FaseTirada::Cancelada;
}

std::string_view TiradaMonedas::estadoBoton() const {
    return imagenBoton() == 1 ? "PARAR MONEDAS" : "TIRAR MONEDAS";
}

int TiradaMonedas::imagenBoton() const {
    return fase_ == FaseTirada::Girando || fase_ == FaseTirada::Parando ? 1 : 0;
}

char TiradaMonedas::valorLinea() const {
    int suma = 0;
    for (Fotograma f : moneda)
        suma += valorCara(f);
    return static_cast<char>('0' + suma);
}

} // namespace hexora
