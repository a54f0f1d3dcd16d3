#include "AplicacionSegura.h"

#include "Mensajes.h"

#include <stdexcept>

namespace hexora {

bool AplicacionSegura::notify(QObject* receptor, QEvent* evento) {
    try {
        return QApplication::notify(receptor, evento);
    } catch (const std::exception& e) {
        MostrarError(e);
    } catch (...) {
        MostrarError(std::runtime_error("excepción desconocida"));
    }
    return false;
}

} // namespace hexora
