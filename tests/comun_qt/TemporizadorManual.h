#pragma once
// Temporizador de las pruebas: solo vence cuando la prueba lo manda, y solo si está activo.

#include "platform/Temporizador.h"

class TemporizadorManual : public hexora::Temporizador {
public:
    void fijarIntervalo(int milisegundos) override { intervalo_ = milisegundos; }
    void fijarActivo(bool activo) override { activo_ = activo; }
    bool activo() const override { return activo_; }
    int intervalo() const override { return intervalo_; }
    // Un tic; devuelve si lo hubo.
    bool disparar() {
        if (!activo_)
            return false;
        vencer();
        return true;
    }

private:
    int intervalo_ = 0;
    bool activo_ = false;
};

inline bool disparar(hexora::Temporizador& t) {
    return static_cast<TemporizadorManual&>(t).disparar();
}
