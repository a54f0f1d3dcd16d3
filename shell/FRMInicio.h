#pragma once
// Presentación del arranque: la imagen del programa, los créditos y la barra de progreso
// que el menú principal avanza una vez por cada pantalla que carga.

#include "Progreso.h"
#include "platform/Formulario.h"

class QFrame;
class QLabel;
class QPlainTextEdit;

namespace hexora {

class FRMInicio : public Formulario {
    Q_OBJECT
public:
    static inline const QString kCreditos =
        QStringLiteral("1998-2001 Equipo de desarrollo de HEXORA\n"
                       "Programa escrito en castellano\n"
                       "\n"
                       "Hecho por y para quienes consultan el libro de los cambios");

    FRMInicio();
    void Form_Load() override;

    // Muestra un paso de la barra (el cálculo es el de avanzarProgreso).
    void mostrarProgreso(const Progreso& progreso);

    QLabel* imagen;
    QPlainTextEdit* Text1;
    QFrame* sspanel1;
    QLabel* Porcentaje;
};

} // namespace hexora
