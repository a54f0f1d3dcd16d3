#pragma once
// Pantalla de archivar: pide el nombre del usuario y guarda la consulta actual.

#include "platform/Formulario.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace hexora {

class FRMGrabar : public Formulario {
    Q_OBJECT
public:
    FRMGrabar();
    void Form_Load() override;
    void BTNAUX_Click(int Index);
    void TXTUsuario_Change();

    QLabel* Label1;
    QLineEdit* TXTUsuario;
    QLabel* LabelAviso; // qué se ha quitado de lo tecleado o pegado
    std::array<QPushButton*, 2> BTNAUX;
};

} // namespace hexora
