#pragma once
// Aviso de pantalla que abre el programa en cada arranque: continuar o salir.

#include "VersionHexora.h"
#include "platform/Formulario.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace hexora {

class FRM256 : public Formulario {
    Q_OBJECT
public:
    static inline const QString kTexto = QStringLiteral(
        "HEXORA v" HEXORA_VERSION " está diseñado para utilizar una definición gráfica de "
        "640x480 pixels y una paleta de color de 16 bits. Si utiliza 256 colores los "
        "gráficos pueden mostrar anomalías.");

    FRM256();

    void Form_Load() override;
    void Form_Activate() override;
    void BTNAUX_Click(int Index);

    // El usuario eligió salir: el arranque termina sin más.
    bool salirElegido() const { return salir_; }

    // Nulos hasta la primera activación.
    QLabel* paninfo = nullptr;
    QFrame* PANINFO2 = nullptr;
    QLabel* LABEL1 = nullptr;
    std::array<QPushButton*, 2> BTNAUX{};

private:
    void prepararPanel();

    bool salir_ = false;
};

} // namespace hexora
