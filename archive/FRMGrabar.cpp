#include "FRMGrabar.h"

#include "archive/ArchivoConsultas.h"
#include "archive/AvisosArchivo.h"
#include "platform/EntradaCp1252.h"
#include "platform/Mensajes.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"

#include <QButtonGroup>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hexora {

FRMGrabar::FRMGrabar() {
    setWindowTitle(QStringLiteral("Grabar Consulta"));
    Label1 = new QLabel(QStringLiteral("Nombre Usuario"), this);
    QFont negrita = Label1->font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    TXTUsuario = new QLineEdit(this);
    TXTUsuario->setAccessibleName(QStringLiteral("Nombre Usuario"));
    TXTUsuario->setMinimumWidth(300);
    LabelAviso = new QLabel(this);
    LabelAviso->setWordWrap(true);
    LabelAviso->setStyleSheet(QStringLiteral("QLabel { color: #8a1c1c; }"));
    LabelAviso->hide();
    limitarACp1252(TXTUsuario, 30, [this](bool quitados, bool cortado) {
        QStringList aviso;
        if (quitados)
            aviso << QStringLiteral("Se han quitado caracteres que el archivo no puede guardar.");
        if (cortado)
            aviso << QStringLiteral("El nombre admite como mucho 30 caracteres.");
        LabelAviso->setText(aviso.join(QLatin1Char(' ')));
        LabelAviso->show();
    });
    Label1->setBuddy(TXTUsuario);
    connect(TXTUsuario, &QLineEdit::textChanged, this, &FRMGrabar::TXTUsuario_Change);

    auto* grupo = new QButtonGroup(this);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    const std::array<QString, 2> nombres = {QStringLiteral("Aceptar"), QStringLiteral("Cancelar")};
    for (int i = 0; i < 2; ++i) {
        BTNAUX[i] = crearBotonAux(this, nombres[i]);
        grupo->addButton(BTNAUX[i], i);
        botones->addWidget(BTNAUX[i]);
    }
    BTNAUX[0]->setDefault(true);
    connect(grupo, &QButtonGroup::idClicked, this, &FRMGrabar::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX[1]);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(16, 14, 16, 12);
    disposicion->addWidget(Label1);
    disposicion->addWidget(TXTUsuario);
    disposicion->addWidget(LabelAviso);
    disposicion->addLayout(botones);
    recentrarConRaton({this});
}

void FRMGrabar::Form_Load() {
    BTNAUX[0]->setIcon(Graficos().Gaceptar);
    BTNAUX[1]->setIcon(Graficos().Gcancelar);
    fijarContorno(true);
    adjustSize();
    centrarform();
    BTNAUX[0]->setVisible(false);
    TXTUsuario->clear();
}

void FRMGrabar::TXTUsuario_Change() {
    BTNAUX[0]->setVisible(!TXTUsuario->text().trimmed().isEmpty());
    TXTUsuario->setFocus();
}

void FRMGrabar::BTNAUX_Click(int Index) {
    if (Index == 0) {
        if (TXTUsuario->text().trimmed().isEmpty())
            return;
        const QDate hoy = QDate::currentDate();
        CambioArchivo cambio;
        try {
            cambio = GrabarConsulta(textoCp1252(TXTUsuario->text()),
                                    formatearFecha(hoy.day(), hoy.month(), hoy.year()));
        } catch (const std::exception& e) {
            // Nada se ha guardado; el usuario puede intentarlo de nuevo o cancelar.
            MostrarError(e);
            return;
        }
        avisarDelCambio(cambio, QStringLiteral("La consulta se ha guardado"));
    }
    Descargar(Pantalla::FRMGrabar);
}

} // namespace hexora
