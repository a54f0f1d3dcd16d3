#pragma once
// Lista de los 64 hexagramas: se elige uno y se ve su figura y su segundo nombre.

#include "platform/Formulario.h"

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace hexora {

class FRM64HEXAGRAMAS : public Formulario {
    Q_OBJECT
public:
    static inline const QString kTexto = QStringLiteral("Seleccione un Hexagrama");

    FRM64HEXAGRAMAS();

    void Form_Load() override;
    void Form_Activate() override;
    void List1_Click();
    void List1_DblClick();
    void BTNAUX_Click(int Index);

    QLabel* Label1;
    QListWidget* List1;
    std::array<QLabel*, 6> LINEA;
    std::array<QLabel*, 2> label2;
    std::array<QPushButton*, 2> BTNAUX;

private:
    bool cerrando_ = false; // ya se pulsó aceptar o cancelar en esta vez
};

} // namespace hexora
