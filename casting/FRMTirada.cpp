#include "FRMTirada.h"

#include "ControlesComunes.h"
#include "Pregunta.h"
#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hexora {

FRMTirada::FRMTirada() : tirada_([] { return Aleatorio(); }) {
    setWindowTitle(kTitulo);
    estiloPantalla(this);

    Frame3 = new QGroupBox(kConcentrese, this);
    Frame3->setAlignment(Qt::AlignHCenter);
    fijarLetra(Frame3, 11, true);
    PREGUNTA = new QPlainTextEdit(Frame3);
    PREGUNTA->setReadOnly(true);
    // Se puede recorrer con el teclado para leerla, y recoge el foco mientras el botón de
    // las monedas está desactivado, para que una pulsación de más no caiga en cancelar.
    PREGUNTA->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    PREGUNTA->setFocusPolicy(Qt::StrongFocus);
    PREGUNTA->setTabChangesFocus(true);
    PREGUNTA->setAccessibleName(QStringLiteral("Pregunta"));
    fijarLetra(PREGUNTA, 11, true);
    // Tres renglones: caben los 100 caracteres de la pregunta más larga sin desplazarla.
    PREGUNTA->setFixedHeight(PREGUNTA->fontMetrics().lineSpacing() * 3 + 14);
    auto* cajaPregunta = new QVBoxLayout(Frame3);
    cajaPregunta->addWidget(PREGUNTA);

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    BTNTIRAR = new QPushButton(Frame1);
    BTNTIRAR->setFixedSize(160, 56);
    BTNTIRAR->setIconSize(QSize(150, 48));
    BTNTIRAR->setFocusPolicy(Qt::StrongFocus);
    connect(BTNTIRAR, &QPushButton::clicked, this, &FRMTirada::BTNTIRAR_Click);
    auto* filaMonedas = new QHBoxLayout;
    filaMonedas->setSpacing(14);
    for (int i = 0; i < 3; ++i) {
        moneda[i] = new QLabel(Frame1);
        moneda[i]->setFixedSize(64, 64);
        moneda[i]->setAccessibleName(QStringLiteral("Moneda %1").arg(i + 1));
        filaMonedas->addWidget(moneda[i]);
    }
    auto* cajaMonedas = new QVBoxLayout(Frame1);
    cajaMonedas->setContentsMargins(16, 10, 16, 10);
    cajaMonedas->setSpacing(22);
    cajaMonedas->addStretch();
    cajaMonedas->addWidget(BTNTIRAR, 0, Qt::AlignHCenter);
    cajaMonedas->addLayout(filaMonedas);
    cajaMonedas->addStretch();

    Frame2 = new QFrame(this);
    Frame2->setFrameShape(QFrame::StyledPanel);
    for (int i = 0; i < 6; ++i)
        LINEA[i] = crearLinea(Frame2, QSize(172, 31), i);
    auto* cajaLineas = new QVBoxLayout(Frame2);
    cajaLineas->setContentsMargins(12, 10, 12, 10);
    cajaLineas->addLayout(columnaLineas(LINEA, 6));

    BTNAUX = crearBotonDialogo(this, 1);
    connect(BTNAUX, &QPushButton::clicked, this, &FRMTirada::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX);

    auto* centro = new QHBoxLayout;
    centro->addWidget(Frame1, 1);
    centro->addWidget(Frame2);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch();
    abajo->addWidget(BTNAUX);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(10, 6, 10, 8);
    todo->setSpacing(6);
    todo->addWidget(Frame3);
    todo->addLayout(centro);
    todo->addLayout(abajo);
    todo->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(BTNTIRAR, BTNAUX);
    setTabOrder(BTNAUX, PREGUNTA);

    Timer1 = crearTemporizador();
    Timer1->fijarIntervalo(kTicGiro);
    Timer1->alVencer([this] { Timer1_Timer(); });
    TimerParada = crearTemporizador();
    TimerParada->fijarIntervalo(kTicParada);
    TimerParada->alVencer([this] { TimerParada_Timer(); });

    recentrarConRaton({this, BTNAUX, Frame1});
}

void FRMTirada::Form_Load() {
    grfmoneda = Graficos().grfmoneda;
    GRFarrojarParar = Graficos().GRFarrojarParar;
    BTNAUX->setIcon(Graficos().Gcancelar);
    adjustSize();
    centrarform();
}

void FRMTirada::Form_Activate() {
    centrarform();
    PREGUNTA->setPlainText(QString::fromStdU32String(preguntaACaja(Pregunta.recortado())));
    Timer1->fijarActivo(false);
    TimerParada->fijarActivo(false);
    tirada_.empezar();
    mostrarMonedas();
    mostrarLineas();
    mostrarBoton();
    BTNTIRAR->setFocus();
}

void FRMTirada::BTNTIRAR_Click() {
    if (!tirada_.botonActivo())
        return;
    PREGUNTA->setFocus();
    BTNTIRAR->setEnabled(false);
    Timer1->fijarActivo(false);
    tirada_.pulsar();
    Timer1->fijarActivo(tirada_.girando());
    TimerParada->fijarActivo(tirada_.parandoOEsperando());
    mostrarBoton();
    if (BTNTIRAR->isEnabled())
        BTNTIRAR->setFocus();
}

void FRMTirada::Timer1_Timer() {
    tirada_.paso();
    mostrarMonedas();
}

void FRMTirada::TimerParada_Timer() {
    const int lineasAntes = static_cast<int>(tirada_.lineas().size());
    tirada_.repasar(Reloj());
    mostrarMonedas();
    if (static_cast<int>(tirada_.lineas().size()) != lineasAntes) {
        mostrarLineas();
        mostrarBoton();
        if (BTNTIRAR->isEnabled())
            BTNTIRAR->setFocus();
    }
    switch (tirada_.fase()) {
    case FaseTirada::Parando:
    case FaseTirada::Pausa: break;
    case FaseTirada::Terminada:
        TimerParada->fijarActivo(false);
        Resultado = "NO";
        hide();
        break;
    default: TimerParada->fijarActivo(false); break;
    }
}

void FRMTirada::BTNAUX_Click() {
    // Se abandona la tirada entera, también a media parada o en la espera final.
    Timer1->fijarActivo(false);
    TimerParada->fijarActivo(false);
    tirada_.cancelar();
    Resultado = "SI";
    hide();
}

void FRMTirada::mostrarMonedas() {
    for (std::size_t i = 0; i < 3; ++i) {
        const Fotograma f = tirada_.moneda[i];
        const QPixmap& imagen = grfmoneda[static_cast<std::size_t>(imagenFotograma(f))];
        if (moneda[i]->pixmap().cacheKey() != imagen.cacheKey())
            moneda[i]->setPixmap(imagen);
        // Mientras gira solo se dice que gira: quien usa un lector de pantalla no tiene que
        // oír cada fotograma, y la cara cuenta cuando la moneda se para.
        const bool parada = !tirada_.girando() && (tirada_.fase() != FaseTirada::Parando ||
                                                   tirada_.Cuenta[i] == TiradaMonedas::kParada);
        const QString estado =
            parada && !esCanto(f)
                ? QStringLiteral("%1 (%2)").arg(textoQt(nombreFotograma(f))).arg(valorCara(f))
                : QStringLiteral("girando");
        const QString nombre = QStringLiteral("Moneda %1: ").arg(i + 1) + estado;
        if (moneda[i]->accessibleName() != nombre)
            moneda[i]->setAccessibleName(nombre);
    }
}

void FRMTirada::mostrarLineas() {
    const std::string& lineas = tirada_.lineas();
    for (std::size_t i = 0; i < 6; ++i) {
        if (i < lineas.size())
            ponerImagenLinea(LINEA[i], Graficos().GRFLINEA, lineas[i], static_cast<int>(i));
        LINEA[i]->setVisible(i < lineas.size());
    }
}

void FRMTirada::mostrarBoton() {
    const QString estado = textoQt(tirada_.estadoBoton());
    BTNTIRAR->setIcon(GRFarrojarParar[static_cast<std::size_t>(tirada_.imagenBoton())]);
    BTNTIRAR->setAccessibleName(estado);
    BTNTIRAR->setToolTip(estado);
    BTNTIRAR->setEnabled(tirada_.botonActivo());
}

} // namespace hexora
