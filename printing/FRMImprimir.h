#pragma once
// Pantalla de impresión: imprime el hexagrama que se ve en la interpretación, o el
// principal y el complementario en dos documentos, y ofrece elegir impresora y letra. La
// figura de la izquierda es la vista previa de lo que imprimirá la opción elegida, con las
// proporciones del papel.

#include "platform/Formulario.h"

#include <QPixmap>
#include <QStringList>

#include <array>
#include <memory>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

namespace hexora {

class ImpresoraQt;
class MedidaQt;

class FRMImprimir : public Formulario {
    Q_OBJECT
public:
    static inline const QString kPrincipal = QStringLiteral("HEXAGRAMA PRINCIPAL");
    static inline const QString kComplementario = QStringLiteral("HEXAGRAMA COMPLEMENTARIO");

    FRMImprimir();
    ~FRMImprimir() override;

    void Form_Load() override;
    void Form_Activate() override;

    void Actualiza(const std::string& lineas);
    void Configurar(const std::string& que);
    void Imprimir();
    void BTNMENU_Click(int Index);

    QWidget* PANFONDO;
    std::array<QPushButton*, 4> BTNMENU;
    QGroupBox* Frame1;
    QLabel* PANIMPRIMIENDO;
    std::array<QRadioButton*, 2> OPCION;
    QGroupBox* Framehexagrama;
    std::array<QLabel*, 6> glinea; // la 0 abajo; su propiedad "Tag" guarda el valor
    std::array<QLabel*, 2> TXTTRIGRAMA;
    std::array<QLabel*, 2> TXTHEXAGRAMA;

    // Ancho de la figura de la vista previa, en píxeles; el resto sale de las medidas del
    // papel.
    static constexpr int kAnchoVistaPrevia = 150;

private:
    bool CargarBuffer(const std::string& lineas);
    // ¿Se ve en la interpretación el hexagrama principal?
    bool seVePrincipal() const;
    void vistaPrevia();
    // Prepara la vista previa y el texto de la figura y la imprime.
    void imprimirHexagrama(const std::string& lineas, const QString& rotulo);
    void avisarArchivos();

    std::array<QPixmap, 4> imagenesLinea_; // por índice de imagen (valor - 6)
    std::unique_ptr<ImpresoraQt> impresora_;
    std::unique_ptr<MedidaQt> printer2; // superficie de medida de la maquetación
    std::string preparado_;             // figura de la vista previa
    QStringList pdfs_;                  // documentos guardados en PDF en esta impresión
    bool sinImpresora_ = false;
};

} // namespace hexora
