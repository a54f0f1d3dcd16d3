#include "Temporizador.h"

#include <QTimer>

namespace hexora {

namespace {

class TemporizadorQt : public Temporizador {
public:
    TemporizadorQt() {
        // Los tics de 10 ms marcan la animación: nada de redondeos a la baja del sistema.
        temporizador_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&temporizador_, &QTimer::timeout, &temporizador_, [this] { vencer(); });
    }
    void fijarIntervalo(int milisegundos) override { temporizador_.setInterval(milisegundos); }
    void fijarActivo(bool activo) override {
        if (activo == temporizador_.isActive())
            return;
        if (activo)
            temporizador_.start();
        else
            temporizador_.stop();
    }
    bool activo() const override { return temporizador_.isActive(); }
    int intervalo() const override { return temporizador_.interval(); }

private:
    QTimer temporizador_;
};

std::function<std::unique_ptr<Temporizador>()>& fabrica() {
    static std::function<std::unique_ptr<Temporizador>()> f;
    return f;
}

} // namespace

std::unique_ptr<Temporizador> crearTemporizador() {
    if (fabrica())
        return fabrica()();
    return std::make_unique<TemporizadorQt>();
}

void fijarFabricaTemporizadores(std::function<std::unique_ptr<Temporizador>()> nueva) {
    fabrica() = std::move(nueva);
}

} // namespace hexora
