#pragma once
// Temporizador periódico de las pantallas. Por omisión es un QTimer preciso; las pruebas
// cambian la fábrica por temporizadores que solo vencen cuando ellas lo mandan.

#include <functional>
#include <memory>

namespace hexora {

class Temporizador {
public:
    virtual ~Temporizador() = default;
    virtual void fijarIntervalo(int milisegundos) = 0;
    // Encendido o apagado, como la propiedad Enabled de un temporizador del sistema.
    virtual void fijarActivo(bool activo) = 0;
    virtual bool activo() const = 0;
    virtual int intervalo() const = 0;

    void alVencer(std::function<void()> manejador) { manejador_ = std::move(manejador); }

protected:
    void vencer() {
        if (manejador_)
            manejador_();
    }

private:
    std::function<void()> manejador_;
};

std::unique_ptr<Temporizador> crearTemporizador();

// Sustituye la fábrica (vacía: vuelve a la de Qt).
void fijarFabricaTemporizadores(std::function<std::unique_ptr<Temporizador>()> fabrica);

} // namespace hexora
