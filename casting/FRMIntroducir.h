#pragma once
// Construcción manual: el usuario pulsa una de las cuatro líneas para cada lugar de la
// figura, de abajo arriba, y puede borrar la última.

#include "platform/Formulario.h"

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;

namespace hexora {

class FRMIntroducir : public Formulario {
    Q_OBJECT
public:
    static inline const QString kTexto =
        QStringLiteral("PULSE SOBRE LAS LINEAS PARA CONSTRUIR EL HEXAGRAMA");
    static inline const QString kMarco = QStringLiteral("        HEXAGRAMA        ");
    static inline const QString kBorrar = QStringLiteral("Borrar última línea");

    FRMIntroducir();

    void Form_Load() override;
    void Form_Activate() override;
    void GRFLINEA_MouseDown(int Index);
    void BTNBORRAR_Click();
    void BTNAUX_Click(int Index);

    QLabel* Label1;
    std::array<QPushButton*, 4> GRFLINEA; // 0 arriba: valores 6, 7, 8 y 9
    QGroupBox* Frame2;
    std::array<QLabel*, 6> LINEA;
    QPushButton* BTNBORRAR;
    std::array<QPushButton*, 2> BTNAUX;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Botones según las líneas que hay: se añade hasta seis, se borra si hay alguna y se
    // acepta solo la figura completa.
    void ajustarBotones();

    std::string HexagramaGuardado;
};

} // namespace hexora
