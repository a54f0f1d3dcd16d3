#include "FRMImprimir.h"

#include "Informe.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/CarpetaPrograma.h"
#include "core/ErrorArchivo.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/DialogosImpresion.h"
#include "platform/FuentesImpresion.h"
#include "platform/ImpresoraQt.h"
#include "platform/MedidaQt.h"
#include "platform/Mensajes.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"
#include "widgets/NombresHexagrama.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace hexora {

namespace {

// Lo que el círculo de una línea 9 sobresale de su barra, por arriba y por abajo.
constexpr double kSobresaleMarca = kRadioMarca - kAltoBarra / 2;

FinImpresion imprimirInforme(const DatosInforme& datos, ImpresoraQt& impresora, MedidaQt& medida) {
    const auto manejador = [](const AvisoFallo& aviso) {
        const RespuestaMensaje r = MsgBox(
            QString::fromStdString(aviso.texto),
            aviso.conOpciones ? BotonesMensaje::AnularReintentarOmitir : BotonesMensaje::Aceptar,
            IconoMensaje::Critico, QString::fromLatin1(kTituloFalloImpresion));
        switch (r) {
        case RespuestaMensaje::Anular: return RespuestaFallo::Anular;
        case RespuestaMensaje::Reintentar: return RespuestaFallo::Reintentar;
        case RespuestaMensaje::Omitir: return RespuestaFallo::Omitir;
        default: return RespuestaFallo::Aceptar;
        }
    };
    return hexora::Imprimir(datos, impresora, medida, manejador, rutaEscritura(kArchivoIntermedio));
}

// Una línea de la figura tal como sale en el papel (barras, hueco, aspa o círculo), al
// ancho dado en píxeles de pantalla. Lleva por arriba y por abajo lo que el círculo de la
// línea 9 sobresale de la barra.
QPixmap imagenLineaInforme(char valor, int ancho, qreal densidad) {
    const qreal escala = ancho / kAnchoFigura; // píxeles por twip
    const QSizeF tamano(ancho, (kAltoBarra + 2 * kSobresaleMarca) * escala);
    QPixmap p((tamano * densidad).toSize());
    p.setDevicePixelRatio(densidad);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.scale(escala, escala);
    pintor.translate(0, kSobresaleMarca);
    const QColor tinta(Qt::black);
    if (valor == '7') {
        pintor.fillRect(QRectF(0, 0, kAnchoFigura, kAltoBarra), tinta);
        return p;
    }
    pintor.fillRect(QRectF(0, 0, kBarraPartida, kAltoBarra), tinta);
    pintor.fillRect(QRectF(kAnchoFigura - kBarraPartida, 0, kBarraPartida, kAltoBarra), tinta);
    pintor.setPen(QPen(tinta, 1.2 / escala));
    const qreal medio = kAnchoFigura / 2;
    if (valor == '6') {
        pintor.drawLine(QPointF(medio - 50, 0), QPointF(medio + 50, kAltoBarra));
        pintor.drawLine(QPointF(medio - 50, kAltoBarra), QPointF(medio + 50, 0));
    } else if (valor == '9') {
        pintor.drawEllipse(QPointF(medio, kAltoBarra / 2), kRadioMarca, kRadioMarca);
    }
    return p;
}

} // namespace

FRMImprimir::FRMImprimir()
    : impresora_(std::make_unique<ImpresoraQt>()),
      printer2(std::make_unique<MedidaQt>(impresora_->impresora())) {
    setWindowTitle(QStringLiteral("Imprimir la consulta"));
    setModal(true);

    // La vista previa: la figura con la línea 1 abajo y los nombres debajo, con las
    // proporciones del papel: el paso entre líneas y el hueco entre trigramas del informe.
    const qreal escala = kAnchoVistaPrevia / kAnchoFigura;
    for (int i = 0; i < 4; ++i)
        imagenesLinea_[i] =
            imagenLineaInforme(static_cast<char>('6' + i), kAnchoVistaPrevia, devicePixelRatioF());
    Framehexagrama = new QGroupBox(kPrincipal, this);
    auto* figura = new QVBoxLayout(Framehexagrama);
    figura->setSpacing(2);
    auto* lineas = new QVBoxLayout;
    lineas->setSpacing(qRound((kPasoLinea - kAltoBarra - 2 * kSobresaleMarca) * escala));
    for (int i = 5; i >= 0; --i) {
        glinea[i] = new QLabel(Framehexagrama);
        glinea[i]->setFixedSize(imagenesLinea_[0].deviceIndependentSize().toSize());
        glinea[i]->setAccessibleName(nombreAccesibleLinea(i, ' '));
        lineas->addWidget(glinea[i], 0, Qt::AlignHCenter);
        if (i == 3)
            lineas->addSpacing(qRound(kHuecoTrigramas * escala));
    }
    figura->addSpacing(6);
    figura->addLayout(lineas);
    figura->addSpacing(6);
    for (int i = 0; i < 2; ++i) {
        TXTHEXAGRAMA[i] = new QLabel(Framehexagrama);
        TXTHEXAGRAMA[i]->setAlignment(Qt::AlignCenter);
        TXTHEXAGRAMA[i]->setWordWrap(true);
        TXTTRIGRAMA[i] = new QLabel(Framehexagrama);
        TXTTRIGRAMA[i]->setWordWrap(true);
    }
    QFont titulo = TXTHEXAGRAMA[0]->font();
    titulo.setBold(true);
    titulo.setPointSizeF(titulo.pointSizeF() + 1);
    TXTHEXAGRAMA[0]->setFont(titulo);
    QFont segundo = TXTHEXAGRAMA[1]->font();
    segundo.setItalic(true);
    TXTHEXAGRAMA[1]->setFont(segundo);
    figura->addSpacing(4);
    figura->addWidget(TXTHEXAGRAMA[0]);
    figura->addWidget(TXTHEXAGRAMA[1]);
    // Cada trigrama con su rótulo encima: los nombres largos caben sin cortarse.
    for (int i = 0; i < 2; ++i) {
        auto* rotulo = new QLabel(i == 0 ? QStringLiteral("Trigrama superior:")
                                         : QStringLiteral("Trigrama inferior:"),
                                  Framehexagrama);
        QFont negrita = rotulo->font();
        negrita.setBold(true);
        rotulo->setFont(negrita);
        rotulo->setBuddy(TXTTRIGRAMA[i]);
        TXTTRIGRAMA[i]->setIndent(12);
        figura->addWidget(rotulo);
        figura->addWidget(TXTTRIGRAMA[i]);
    }
    figura->addStretch();

    PANFONDO = new QWidget(this);
    auto* opciones = new QButtonGroup(this);
    OPCION[0] = new QRadioButton(QStringLiteral("Imprimir Hexagrama Principal y Complementario."),
                                 PANFONDO);
    OPCION[1] = new QRadioButton(QStringLiteral("Imprimir Hexagrama Actual."), PANFONDO);
    for (int i = 0; i < 2; ++i)
        opciones->addButton(OPCION[i], i);
    // Elegir otra opción (con el ratón o con las flechas) cambia la vista previa.
    connect(opciones, &QButtonGroup::idClicked, this, [this] { vistaPrevia(); });

    Frame1 = new QGroupBox(QStringLiteral("CONFIGURACION"), PANFONDO);
    BTNMENU[1] = new QPushButton(QStringLiteral("Configurar IMPRESORA"), Frame1);
    BTNMENU[2] = new QPushButton(QStringLiteral("Configurar FUENTES"), Frame1);
    PANIMPRIMIENDO = new QLabel(QStringLiteral("I M P R I M I E N D O . . ."), Frame1);
    PANIMPRIMIENDO->setAlignment(Qt::AlignCenter);
    PANIMPRIMIENDO->setStyleSheet(
        QStringLiteral("QLabel { color: #b01e1e; font-weight: bold; padding: 4px; }"));
    // Oculto sigue ocupando su sitio: nada baila al empezar y acabar de imprimir.
    QSizePolicy reservado = PANIMPRIMIENDO->sizePolicy();
    reservado.setRetainSizeWhenHidden(true);
    PANIMPRIMIENDO->setSizePolicy(reservado);
    PANIMPRIMIENDO->hide();
    auto* configuracion = new QVBoxLayout(Frame1);
    configuracion->addWidget(BTNMENU[1]);
    configuracion->addWidget(BTNMENU[2]);
    configuracion->addWidget(PANIMPRIMIENDO);

    BTNMENU[0] = new QPushButton(PANFONDO);
    BTNMENU[0]->setToolTip(QStringLiteral("Imprimir"));
    BTNMENU[0]->setAccessibleName(QStringLiteral("Imprimir"));
    BTNMENU[3] = new QPushButton(PANFONDO);
    BTNMENU[3]->setToolTip(QStringLiteral("Cancelar"));
    BTNMENU[3]->setAccessibleName(QStringLiteral("Cancelar"));
    for (int i : {0, 3}) {
        BTNMENU[i]->setFixedSize(83, 48);
        BTNMENU[i]->setIconSize(QSize(75, 40));
    }
    BTNMENU[0]->setIcon(Graficos().Gimprimir);
    BTNMENU[0]->setDefault(true);
    auto* grupoMenu = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        if (i != 0)
            BTNMENU[i]->setAutoDefault(false);
        grupoMenu->addButton(BTNMENU[i], i);
    }
    connect(grupoMenu, &QButtonGroup::idClicked, this, &FRMImprimir::BTNMENU_Click);
    fijarBotonCancelar(BTNMENU[3]);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BTNMENU[0]);
    botones->addWidget(BTNMENU[3]);
    auto* fondo = new QVBoxLayout(PANFONDO);
    fondo->setContentsMargins(0, 0, 0, 0);
    fondo->addWidget(OPCION[0]);
    fondo->addWidget(OPCION[1]);
    fondo->addSpacing(6);
    fondo->addWidget(Frame1);
    fondo->addStretch();
    fondo->addLayout(botones);

    auto* todo = new QHBoxLayout(this);
    todo->setContentsMargins(10, 10, 10, 10);
    todo->setSpacing(12);
    todo->addWidget(Framehexagrama);
    todo->addWidget(PANFONDO, 1);

    setTabOrder(OPCION[0], OPCION[1]);
    setTabOrder(OPCION[1], BTNMENU[1]);
    setTabOrder(BTNMENU[1], BTNMENU[2]);
    setTabOrder(BTNMENU[2], BTNMENU[0]);
    setTabOrder(BTNMENU[0], BTNMENU[3]);
}

FRMImprimir::~FRMImprimir() = default;

void FRMImprimir::Form_Load() {
    BTNMENU[3]->setIcon(Graficos().Gcancelar);
    if (FuenteTexto.nombre.empty())
        FuenteTexto = fuentePorOmision();
    centrarform();
}

void FRMImprimir::Form_Activate() {
    centrarform();
    PANFONDO->setEnabled(true);
    PANIMPRIMIENDO->hide();
    OPCION[0]->setEnabled(Hexagrama != Complementario.valor());
    OPCION[1]->setChecked(true);
    BTNMENU[0]->setFocus();
    vistaPrevia();
    Esperar(50);
}

bool FRMImprimir::seVePrincipal() const {
    const auto* interpretar =
        dynamic_cast<const FRMInterpretar*>(Instancia(Pantalla::FRMInterpretar));
    return !interpretar || interpretar->Framehexagrama->title() == FRMInterpretar::kPrincipal;
}

void FRMImprimir::vistaPrevia() {
    // Con las dos, la principal sale primero.
    const bool principal = OPCION[0]->isChecked() || seVePrincipal();
    Actualiza(principal ? Hexagrama.valor() : Complementario.valor());
    Framehexagrama->setTitle(principal ? kPrincipal : kComplementario);
}

void FRMImprimir::Actualiza(const std::string& lineas) {
    preparado_ = lineas;
    int imagen = 0;
    for (int i = 0; i < 6; ++i) {
        const char c = i < static_cast<int>(lineas.size()) ? lineas[i] : ' ';
        // Un carácter que no es una línea conserva la imagen de la línea anterior; el
        // informe no lo dibuja.
        if (c >= '6' && c <= '9')
            imagen = indiceImagenLinea(c);
        glinea[i]->setPixmap(imagenesLinea_[static_cast<std::size_t>(imagen)]);
        glinea[i]->setVisible(true);
        glinea[i]->setProperty("Tag", textoQt(std::string(1, c)));
        glinea[i]->setAccessibleName(nombreAccesibleLinea(i, c));
    }
    mostrarNombresHexagrama(lineas, TXTHEXAGRAMA, TXTTRIGRAMA);
    Esperar(500);
}

void FRMImprimir::Configurar(const std::string& que) {
    try {
        if (que == "IMPRESORA") {
            impresora_->configurar(this);
        } else {
            const auto elegida = DialogoFuentes(fuenteParaDialogo(FuenteTexto), this);
            if (elegida)
                FuenteTexto = fuenteElegida(*elegida, FuenteTexto);
        }
    } catch (const FalloImpresion& e) {
        MsgBox(QStringLiteral("ERROR: %1").arg(e.numero()) + textoQt(SaltoLinea) +
                   QString::fromStdString(e.what()),
               BotonesMensaje::Aceptar, IconoMensaje::Exclamacion,
               QStringLiteral("Error en módulo de FRMImprimir(SUB CONFIGURAR)"));
    }
}

bool FRMImprimir::CargarBuffer(const std::string& lineas) {
    try {
        hexora::CargarBuffer(lineas);
        return true;
    } catch (const ErrorArchivo& e) {
        MsgBox(QString::fromStdString(e.what()), BotonesMensaje::Aceptar, IconoMensaje::Critico,
               kTituloInformacion);
        return false;
    }
}

void FRMImprimir::Imprimir() {
    DatosInforme datos;
    datos.pregunta = Pregunta.valor();
    datos.rotulo = textoCp1252(Framehexagrama->title());
    for (std::size_t i = 0; i < 6; ++i) {
        const std::string tag = textoCp1252(glinea[i]->property("Tag").toString());
        datos.lineas[i] = tag.empty() ? ' ' : tag[0];
    }
    for (std::size_t i = 0; i < 2; ++i) {
        datos.trigramas[i] = textoCp1252(TXTTRIGRAMA[i]->text());
        datos.titulos[i] = textoCp1252(TXTHEXAGRAMA[i]->text());
    }

    const int numero = std::max<short>(0, NumeroHexagrama(preparado_));
    const QString nombre = QStringLiteral("Consulta %1 hexagrama %2")
                               .arg(QDate::currentDate().toString(Qt::ISODate))
                               .arg(numero);
    const DestinoDocumento destino = impresora_->prepararDocumento(nombre);
    const FinImpresion fin = imprimirInforme(datos, *impresora_, *printer2);
    if (fin == FinImpresion::Anulado)
        hide();
    if (fin == FinImpresion::Terminado && !destino.rutaPdf.isEmpty()) {
        pdfs_ << destino.rutaPdf;
        sinImpresora_ = destino.sinImpresora;
    }
}

void FRMImprimir::imprimirHexagrama(const std::string& lineas, const QString& rotulo) {
    Actualiza(lineas);
    Framehexagrama->setTitle(rotulo);
    // Sin el texto de la figura no se imprime: saldría el de otro hexagrama.
    if (!CargarBuffer(lineas))
        return;
    Imprimir();
}

void FRMImprimir::avisarArchivos() {
    if (pdfs_.isEmpty())
        return;
    const QString salto = textoQt(SaltoLinea);
    const QString principio = sinImpresora_
                                  ? QStringLiteral("No hay ninguna impresora instalada: la "
                                                   "consulta se ha guardado en PDF en")
                                  : QStringLiteral("La consulta se ha guardado en PDF en");
    MsgBox(principio + salto + pdfs_.join(salto), BotonesMensaje::Aceptar,
           IconoMensaje::Informacion, kTituloInformacion);
    pdfs_.clear();
}

void FRMImprimir::BTNMENU_Click(int Index) {
    switch (Index) {
    case 0: {
        PANFONDO->setEnabled(false);
        PANIMPRIMIENDO->show();
        pdfs_.clear();
        if (OPCION[0]->isChecked()) {
            imprimirHexagrama(Hexagrama.valor(), kPrincipal);
            imprimirHexagrama(Complementario.valor(), kComplementario);
        } else {
            // El hexagrama que se ve en la interpretación. Su texto se vuelve a cargar: si
            // la interpretación no pudo, en el buffer queda el de otra consulta.
            const bool principal = seVePrincipal();
            imprimirHexagrama(principal ? Hexagrama.valor() : Complementario.valor(),
                              principal ? kPrincipal : kComplementario);
        }
        OPCION[0]->setEnabled(true);
        OPCION[1]->setEnabled(true);
        OPCION[0]->setEnabled(Hexagrama != Complementario.valor());
        OPCION[1]->setChecked(true);
        avisarArchivos();
        PANIMPRIMIENDO->hide();
        hide();
        break;
    }
    case 1: Configurar("IMPRESORA"); break;
    case 2: Configurar("FUENTES"); break;
    case 3: hide(); break;
    default: break;
    }
    PANFONDO->setEnabled(true);
}

} // namespace hexora
