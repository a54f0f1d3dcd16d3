#pragma once
// Tirada con tres monedas: seis pulsaciones dobles (tirar y parar) forman el hexagrama de
// abajo arriba; tras la sexta línea la pantalla se cierra sola.

#include "TiradaMonedas.h"
#include "platform/Formulario.h"
#include "platform/Temporizador.h"

#include <QPixmap>

#include <array>
#include <memory>

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace hexora {

class FRMTirada : public Formulario {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Hechar Monedas");
    static inline const QString kConcentrese =
        QStringLiteral("           Concéntrese en su Pregunta y Realice las Tiradas.           ");
    static constexpr int kTicGiro = 10; // ms entre pasos mientras giran
    // Al parar, el reloj decide cada paso; el temporizador solo mira con frecuencia.
    static constexpr int kTicParada = 2;

    FRMTirada();

    void Form_Load() override;
    void Form_Activate() override;
    void BTNTIRAR_Click();
    void Timer1_Timer();
    // Hace el trabajo del bucle de parada y de la espera final a golpe de temporizador,
    // sin ocupar el procesador ni dejar de atender la cancelación.
    void TimerParada_Timer();
    void BTNAUX_Click();

    const TiradaMonedas& tirada() const { return tirada_; }

    QGroupBox* Frame3;
    QPlainTextEdit* PREGUNTA;
    QFrame* Frame1;
    QPushButton* BTNTIRAR;
    std::array<QLabel*, 3> moneda;
    QFrame* Frame2;
    std::array<QLabel*, 6> LINEA;
    QPushButton* BTNAUX;
    std::unique_ptr<Temporizador> Timer1;
    std::unique_ptr<Temporizador> TimerParada;
    std::array<QPixmap, 7> grfmoneda;
    std::array<QPixmap, 2> GRFarrojarParar;

private:
    void mostrarMonedas();
    void mostrarLineas();
    void mostrarBoton();

    TiradaMonedas tirada_;
};

} // namespace hexora
