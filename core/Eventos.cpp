#include "Eventos.h"

namespace hexora {

namespace {
std::function<void()>& procesador() {
    static std::function<void()> p;
    return p;
}
} // namespace

void fijarProcesadorEventos(std::function<void()> nuevo) { procesador() = std::move(nuevo); }

void procesarEventosPendientes() {
    if (procesador())
        procesador()();
}

} // namespace hexora
