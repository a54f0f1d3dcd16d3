// Mide cuánto procesador gasta la pantalla de las monedas con sus temporizadores de
// verdad: mientras giran, mientras frenan y en la pausa tras la sexta línea. No es una
// prueba (depende de la máquina): da las cifras.
//
//     ./build/bench/medida_cpu_parada [tiradas]

#include "casting/FRMTirada.h"
#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double segundos(clockid_t reloj) {
    timespec t{};
    clock_gettime(reloj, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Medida {
    double cpu = 0;
    double reloj = 0;
    int veces = 0;
    double porcentaje() const { return reloj > 0 ? 100 * cpu / reloj : 0; }
};

// Atiende eventos, durmiendo mientras no los hay, hasta que se cumpla la condición.
template <class F> void atenderHasta(Medida& m, F cumplida) {
    const double cpu0 = segundos(CLOCK_PROCESS_CPUTIME_ID);
    const double reloj0 = segundos(CLOCK_MONOTONIC);
    while (!cumplida())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m.cpu += segundos(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    m.reloj += segundos(CLOCK_MONOTONIC) - reloj0;
    ++m.veces;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication aplicacion(argc, argv);
    const int tiradas = argc > 1 ? std::atoi(argv[1]) : 6;
    hexora::conectarEventosLogica();
    hexora::SembrarAleatorio();
    hexora::registrarPantallas();
    hexora::Pregunta = "\xBFPRUEBA DE LA PARADA?";
    auto* f = hexora::CargarComo<hexora::FRMTirada>(hexora::Pantalla::FRMTirada);
    f->show();

    Medida giro, parada, pausa;
    for (int t = 0; t < tiradas; ++t) {
        f->Form_Activate();
        for (int linea = 0; linea < 6; ++linea) {
            f->BTNTIRAR->click();
            const double fin = hexora::Reloj() + 0.3;
            atenderHasta(giro, [&] { return hexora::Reloj() > fin; });
            const auto antes = f->tirada().lineas().size();
            f->BTNTIRAR->click();
            atenderHasta(parada, [&] { return f->tirada().lineas().size() > antes; });
        }
        atenderHasta(pausa, [&] { return !f->isVisible(); });
        f->show();
    }
    std::printf("Giro:   %5.1f %% de un núcleo (%.1f s en %d giros)\n", giro.porcentaje(),
                giro.reloj, giro.veces);
    std::printf("Parada: %5.1f %% de un núcleo (%.1f s en %d paradas, %.0f ms de media)\n",
                parada.porcentaje(), parada.reloj, parada.veces,
                1000 * parada.reloj / parada.veces);
    std::printf("Pausa:  %5.1f %% de un núcleo (%.1f s en %d pausas)\n", pausa.porcentaje(),
                pausa.reloj, pausa.veces);
    hexora::DescargarTodas();
    QCoreApplication::processEvents();
    return 0;
}
