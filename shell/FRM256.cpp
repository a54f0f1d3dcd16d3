#include "FRM256.h"

#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hexora {

FRM256::FRM256() {
    setWindowTitle(QStringLiteral("FRM256"));
    setWindowFlag(Qt::FramelessWindowHint);
    setStyleSheet(QStringLiteral("hexora--FRM256 { background: black; }"));
    setAutoFillBackground(true);
    QPalette negro = palette();
    negro.setColor(QPalette::Window, Qt::black);
    setPalette(negro);
}

// El panel con su texto y sus botones se hace en la primera activación, con la ventana ya a
// la vista: lo primero que tiene nombre o texto pone en marcha la accesibilidad (la
// conexión con el bus de sesión, que sin sesión arranca uno) y el texto pide las letras del
// sistema, y ninguna de las dos cosas debe retrasar que aparezca el aviso.
void FRM256::prepararPanel() {
    paninfo = new QLabel(this);
    paninfo->setScaledContents(true);
    paninfo->setAccessibleName(QStringLiteral("HEXORA"));
    paninfo->hide();

    PANINFO2 = new QFrame(this);
    PANINFO2->setFrameShape(QFrame::Box);
    PANINFO2->setStyleSheet(QStringLiteral(
        "QFrame { background: #f6ecd2; border: 2px solid #004040; border-radius: 6px; }"
        "QLabel { border: none; color: #202020; }"
        "QPushButton { border: none; background: transparent; }"
        "QPushButton:focus { outline: 2px dotted #004040; }"));
    LABEL1 = new QLabel(kTexto, PANINFO2);
    LABEL1->setWordWrap(true);
    QFont letra = LABEL1->font();
    letra.setPointSizeF(12);
    LABEL1->setFont(letra);

    auto* grupo = new QButtonGroup(this);
    auto* botones = new QHBoxLayout;
    const std::array<QString, 2> nombres = {QStringLiteral("Continuar"), QStringLiteral("Salir")};
    for (int i = 0; i < 2; ++i) {
        BTNAUX[i] = crearBotonAux(PANINFO2, nombres[i]);
        BTNAUX[i]->setIcon(botonDialogo(i == 0));
        grupo->addButton(BTNAUX[i], i);
        botones->addWidget(BTNAUX[i]);
    }
    connect(grupo, &QButtonGroup::idClicked, this, &FRM256::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX[1]);

    auto* disposicion = new QVBoxLayout(PANINFO2);
    disposicion->setContentsMargins(24, 20, 24, 16);
    disposicion->setSpacing(16);
    disposicion->addWidget(LABEL1);
    disposicion->addLayout(botones);
    PANINFO2->setFixedWidth(420);
    PANINFO2->setFixedHeight(disposicion->totalHeightForWidth(420));
    PANINFO2->hide();
}

void FRM256::Form_Load() {
    setGeometry(0, 0, twipsAPixeles(AnchoPantallaTwips()), twipsAPixeles(AltoPantallaTwips()));
    Esperar(500);
}

void FRM256::Form_Activate() {
    // Se enciende al final de la activación: antes los botones no responden.
    setEnabled(false);
    if (!LABEL1)
        prepararPanel();
    paninfo->setGeometry(0, 0, width(), height());
    paninfo->setPixmap(GRAFICOS::fondo(size()));
    Esperar(500);
    PANINFO2->move((width() - PANINFO2->width()) / 2, (height() - PANINFO2->height()) / 2);
    PANINFO2->repaint();
    Esperar(100);
    paninfo->show();
    PANINFO2->show();
    Esperar(50);
    setEnabled(true);
    BTNAUX[0]->setFocus();
}

void FRM256::BTNAUX_Click(int Index) {
    if (Index == 1) {
        salir_ = true;
        hide();
        return;
    }
    hide();
    Esperar(50);
}

} // namespace hexora
