#include "frmconsulta.h"

#include "ControlesComunes.h"
#include "Pregunta.h"
#include "core/EstadoConsulta.h"
#include "core/Texto.h"
#include "widgets/GRAFICOS.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace hexora {

frmconsulta::frmconsulta() {
    setWindowFlag(Qt::FramelessWindowHint);
    // Sin título propio: el lector de pantalla nombra la ventana por la acción del menú.
    setAccessibleName(QStringLiteral("Realizar una CONSULTA"));
    estiloPantalla(this);

    Label1 = new QLabel(kTexto, this);
    fijarLetra(Label1, 15, true);
    Label1->setAlignment(Qt::AlignCenter);

    PREGUNTA = new QPlainTextEdit(this);
    PREGUNTA->setAccessibleName(kTexto);
    PREGUNTA->setTabChangesFocus(true);
    fijarLetra(PREGUNTA, 12);
    PREGUNTA->setFixedHeight(PREGUNTA->fontMetrics().lineSpacing() * 4 + 14);
    Label1->setBuddy(PREGUNTA);
    connect(PREGUNTA, &QPlainTextEdit::textChanged, this, &frmconsulta::PREGUNTA_Change);

    LabelAviso = new QLabel(this);
    LabelAviso->setWordWrap(true);
    LabelAviso->setStyleSheet(QStringLiteral("QLabel { color: #8a1c1c; }"));
    fijarLetra(LabelAviso, 10);
    QSizePolicy politica = LabelAviso->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    LabelAviso->setSizePolicy(politica);
    LabelAviso->hide();

    auto* grupo = new QButtonGroup(this);
    auto* botones = new QHBoxLayout;
    botones->addWidget(LabelAviso, 1);
    for (int i = 0; i < 2; ++i) {
        BTNAUX[i] = crearBotonDialogo(this, i);
        grupo->addButton(BTNAUX[i], i);
        botones->addWidget(BTNAUX[i]);
    }
    connect(grupo, &QButtonGroup::idClicked, this, &frmconsulta::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX[1]);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(22, 16, 22, 16);
    todo->setSpacing(10);
    todo->addWidget(Label1);
    todo->addWidget(PREGUNTA);
    todo->addLayout(botones);
    setFixedWidth(480);
    setTabOrder(PREGUNTA, BTNAUX[0]);
    setTabOrder(BTNAUX[0], BTNAUX[1]);
}

void frmconsulta::Form_Load() {
    BTNAUX[0]->setIcon(Graficos().Gaceptar);
    BTNAUX[1]->setIcon(Graficos().Gcancelar);
    BTNAUX[0]->hide();
    fijarContorno(true);
    adjustSize();
    centrarform();
}

void frmconsulta::Form_Activate() {
    centrarform();
    LabelAviso->hide();
    // Solo se ofrece una pregunta que el usuario hizo de verdad, no la marca de las figuras
    // hechas a mano. Entra tal cual, aunque mida más que el tope de la caja, y toda
    // seleccionada: lo que se escriba la sustituye.
    const std::string_view anterior = PreguntaAnterior.recortado();
    rellenar(esPreguntaDelUsuario(anterior) ? preguntaACaja(anterior) : std::u32string());
    PREGUNTA->selectAll();
    PREGUNTA_Change();
    PREGUNTA->setFocus();
}

void frmconsulta::rellenar(const std::u32string& texto) {
    rellenando_ = true;
    PREGUNTA->setPlainText(QString::fromStdU32String(texto));
    rellenando_ = false;
    // La caja puede cambiar algún carácter al guardarlo (el espacio duro): vale lo suyo.
    admitido_ = PREGUNTA->toPlainText().toStdU32String();
}

void frmconsulta::PREGUNTA_Change() {
    if (rellenando_)
        return;
    // Los acentos que llegan pegados como marcas aparte (una "e" y un acento) se componen
    // antes de filtrar: "é" cabe en el archivo, la marca suelta no.
    const QString escrito = PREGUNTA->toPlainText();
    const QString compuesto = escrito.normalized(QString::NormalizationForm_C);
    const CambioPregunta cambio = admitirCambioPregunta(admitido_, compuesto.toStdU32String());
    if (cambio.modificado || compuesto != escrito) {
        rellenar(cambio.texto);
        QTextCursor cursor = PREGUNTA->textCursor();
        cursor.setPosition(static_cast<int>(cambio.cursor));
        PREGUNTA->setTextCursor(cursor);
    } else {
        admitido_ = cambio.texto;
    }
    if (cambio.quitados || cambio.cortado) {
        QString aviso;
        if (cambio.quitados)
            aviso = QStringLiteral("Se han quitado caracteres que la consulta no puede guardar.");
        if (cambio.cortado)
            aviso +=
                (aviso.isEmpty() ? QString() : QStringLiteral(" ")) +
                QStringLiteral("La pregunta admite como mucho %1 caracteres.").arg(kMaximoPregunta);
        LabelAviso->setText(aviso);
        LabelAviso->show();
    }
    BTNAUX[0]->setVisible(!recortar(preguntaDeCaja(admitido_)).empty());
    PREGUNTA->setFocus();
}

void frmconsulta::BTNAUX_Click(int Index) {
    if (Index == 0) {
        Resultado = "NO";
        Pregunta = normalizarPregunta(preguntaDeCaja(admitido_));
    } else {
        Resultado = "SI";
    }
    hide();
}

} // namespace hexora
