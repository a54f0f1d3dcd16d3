#include "FRMInicio.h"

#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace hexora {

namespace {
constexpr int kAnchoImagen = 500;
constexpr int kAltoImagen = 169;
constexpr int kAltoCreditos = 84;
constexpr int kAltoBarra = 22;
} // namespace

FRMInicio::FRMInicio() {
    setWindowTitle(QStringLiteral("HEXORA"));
    setWindowFlag(Qt::FramelessWindowHint);
    setModal(false);
    setStyleSheet(QStringLiteral("hexora--FRMInicio { background: #022424; }"));
    setFixedSize(kAnchoImagen, kAltoImagen + kAltoCreditos + kAltoBarra + 12);

    imagen = new QLabel(this);
    imagen->setGeometry(0, 0, kAnchoImagen, kAltoImagen);
    imagen->setAccessibleName(QStringLiteral("HEXORA"));

    Text1 = new QPlainTextEdit(kCreditos, this);
    Text1->setReadOnly(true);
    Text1->setFrameShape(QFrame::NoFrame);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #022424; color: #f6ecd2; }"));
    Text1->setGeometry(10, kAltoImagen + 2, kAnchoImagen - 20, kAltoCreditos);
    Text1->setAccessibleName(QStringLiteral("Créditos"));

    // La pista mide 7335 twips y la barra empieza en 30 con 375 de ancho.
    sspanel1 = new QFrame(this);
    sspanel1->setFrameShape(QFrame::Panel);
    sspanel1->setFrameShadow(QFrame::Sunken);
    sspanel1->setStyleSheet(QStringLiteral("QFrame { background: #0b3a3a; }"));
    sspanel1->setGeometry((kAnchoImagen - twipsAPixeles(7335)) / 2, kAltoImagen + kAltoCreditos + 6,
                          twipsAPixeles(7335), kAltoBarra);
    Porcentaje = new QLabel(sspanel1);
    Porcentaje->setAlignment(Qt::AlignCenter);
    Porcentaje->setAutoFillBackground(true);
    Porcentaje->setStyleSheet(
        QStringLiteral("QLabel { background: #d8b45a; color: #022424; font-weight: bold; }"));
    Porcentaje->setAccessibleDescription(QStringLiteral("Progreso de la carga"));
    mostrarProgreso(Progreso{});
}

void FRMInicio::Form_Load() {
    imagen->setPixmap(Graficos().imagenInicio);
    // Se centra con la fórmula de las demás pantallas.
    centrarform();
    repaint();
}

void FRMInicio::mostrarProgreso(const Progreso& progreso) {
    Porcentaje->setGeometry(twipsAPixeles(30), 1, twipsAPixeles(progreso.anchoTwips),
                            kAltoBarra - 2);
    Porcentaje->setText(QString::fromStdString(progreso.titulo));
    Porcentaje->repaint();
}

} // namespace hexora
