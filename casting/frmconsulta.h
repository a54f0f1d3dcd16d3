#pragma once
// Pregunta de la consulta, antes de echar las monedas. Ofrece la anterior para editarla.

#include "platform/Formulario.h"

#include <array>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace hexora {

class frmconsulta : public Formulario {
    Q_OBJECT
public:
    static inline const QString kTexto = QStringLiteral("¿Qué desea Consultar?");

    frmconsulta();

    void Form_Load() override;
    void Form_Activate() override;
    void PREGUNTA_Change();
    void BTNAUX_Click(int Index);

    QLabel* Label1;
    QPlainTextEdit* PREGUNTA;
    // Dice al usuario que se quitó algo de lo que escribió o pegó.
    QLabel* LabelAviso;
    std::array<QPushButton*, 2> BTNAUX;

private:
    void rellenar(const std::u32string& texto);

    std::u32string admitido_; // lo último que se dejó en la caja
    bool rellenando_ = false;
};

} // namespace hexora
