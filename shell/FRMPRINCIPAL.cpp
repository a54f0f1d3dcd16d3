#include "FRMPRINCIPAL.h"

#include "FRM256.h"
#include "FRMInicio.h"
#include "VersionHexora.h"
#include "archive/ArchivoConsultas.h"
#include "core/ErrorArchivo.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "platform/Mensajes.h"
#include "platform/Plataforma.h"
#include "platform/VisorAyuda.h"
#include "widgets/GRAFICOS.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace hexora {

namespace {

void geometriaTwips(QWidget* w, double izquierda, double arriba, double ancho, double alto) {
    w->setGeometry(twipsAPixeles(izquierda), twipsAPixeles(arriba), twipsAPixeles(ancho),
                   twipsAPixeles(alto));
}

double anchoTwips(const QWidget* w) { return pixelesATwips(w->width()); }
double altoTwips(const QWidget* w) { return pixelesATwips(w->height()); }

} // namespace

FRMPRINCIPAL::FRMPRINCIPAL(std::function<bool()> otraCopiaEnMarcha)
    : otraCopiaEnMarcha_(std::move(otraCopiaEnMarcha)) {
    setWindowTitle(QStringLiteral("MENU PRINCIPAL"));
    Image1 = new QLabel(this);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);

    FrameMENU1 = new QFrame(this);
    FrameMENU2 = new QFrame(this);
    geometriaTwips(FrameMENU1, 1, 1, 4095, 1035);
    geometriaTwips(FrameMENU2, 1, 1, 3075, 1035);

    auto* grupo = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        QWidget* padre = i < 4 ? FrameMENU1 : i < 7 ? static_cast<QWidget*>(FrameMENU2) : this;
        BTNMENU[i] = new QPushButton(padre);
        BTNMENU[i]->setToolTip(kAyudas[i]);
        BTNMENU[i]->setFocusPolicy(Qt::StrongFocus);
        BTNMENU[i]->setMouseTracking(true);
        BTNMENU[i]->installEventFilter(this);
        if (i < 7)
            geometriaTwips(BTNMENU[i], (i < 4 ? i : i - 4) * 1020, 0, 1035, 1035);
        else
            geometriaTwips(BTNMENU[i], 0, 0, 495, 525);
        grupo->addButton(BTNMENU[i], i);
    }
    for (int i = 0; i + 1 < 8; ++i)
        setTabOrder(BTNMENU[i], BTNMENU[i + 1]);
    connect(grupo, &QButtonGroup::idClicked, this, &FRMPRINCIPAL::BTNMENU_Click);

    Panmsg = new QLabel(this);
    Panmsg->setAlignment(Qt::AlignCenter);
    Panmsg->setStyleSheet(QStringLiteral(
        "QLabel { color: #f6ecd2; background: rgba(0, 32, 32, 150); border-radius: 4px; }"));
    QFont letra = Panmsg->font();
    letra.setPointSizeF(12);
    letra.setBold(true);
    Panmsg->setFont(letra);
    geometriaTwips(Panmsg, 0, 0, 7500, 420);

    setStyleSheet(QStringLiteral(
        "QPushButton { border: 1px solid #004040; border-radius: 6px; background: #f6ecd2; }"
        "QPushButton:hover { background: #fff8e4; }"
        "QPushButton:focus { border: 2px solid #d8b45a; }"
        "QPushButton:pressed { background: #cfb886; }"));
}

bool FRMPRINCIPAL::Form_Load() {
    SaltoLinea = "\r\n";
    const QString salto = textoQt(SaltoLinea);
    if (otraCopiaEnMarcha_ && otraCopiaEnMarcha_()) {
        MsgBox(QStringLiteral("Esta aplicación ya se está ejecutando") + salto + salto +
                   QStringLiteral("APLICACIÓN CANCELADA"),
               BotonesMensaje::Aceptar, IconoMensaje::Exclamacion, kTituloInformacion);
        Resultado = "EC";
        codigoSalida_ = 0;
        return false;
    }
    centrarform();

    auto* aviso = CargarComo<FRM256>(Pantalla::FRM256);
    if (aviso) {
        MostrarModal(*aviso);
        if (aviso->salirElegido()) {
            Resultado = "EC"; // termina sin preguntar nada
            Descargar(Pantalla::FRM256);
            return false;
        }
    }

    disponerMenu();

    if (auto* inicio = Cargar(Pantalla::FRMInicio)) {
        inicio->show();
        inicio->repaint();
    }
    Esperar(500);
    Descargar(Pantalla::FRM256);

    for (Pantalla p : {Pantalla::FRMTirada, Pantalla::FRMIntroducir, Pantalla::FRM64HEXAGRAMAS,
                       Pantalla::frmconsulta, Pantalla::FRMInterpretar, Pantalla::FRMRecuperar,
                       Pantalla::FRMGrabar}) {
        Cargar(p);
        AvanzarProgreso();
    }
    Graficos();
    AvanzarProgreso();

    Esperar(50);
    repaint();
    Esperar(100);
    Descargar(Pantalla::FRMInicio);

    PreguntaAnterior = "";
    prepararCarpetaPrograma();
    // Lo que dejó a medias una grabación cortada (un apagón) no sirve: el archivo sigue
    // siendo el anterior, entero.
    limpiarArchivoConsultas();
    try {
        CargarTablas();
        ComprobarTablas();
    } catch (const ErrorArchivo& e) {
        MsgBox(QString::fromStdString(e.what()) + salto + salto +
                   QStringLiteral("HEXORA no puede funcionar sin sus archivos de datos y se "
                                  "cerrará."),
               BotonesMensaje::Aceptar, IconoMensaje::Critico, kTituloInformacion);
        Resultado = "EC";
        codigoSalida_ = 1;
        DescargarTodas();
        return false;
    }
    SembrarAleatorio();
    centrarform();
    return true;
}

bool FRMPRINCIPAL::arrancar() {
    fijarActivacionPrincipal([this] { Form_Activate(); });
    if (!Form_Load())
        return false;
    showFullScreen();
    Form_Activate();
    return true;
}

void FRMPRINCIPAL::disponerMenu() {
    // Los nombres para el lector de pantalla se ponen aquí y no al construir el menú: el
    // primero pone en marcha la accesibilidad (la conexión con el bus de sesión, que sin
    // sesión arranca uno) y eso no debe retrasar el aviso.
    Image1->setAccessibleName(QStringLiteral("HEXORA"));
    for (int i = 0; i < 8; ++i)
        BTNMENU[i]->setAccessibleName(kAyudas[i]);
    // Su nombre accesible es su texto, la pista del botón; lo que es, en la descripción.
    Panmsg->setAccessibleDescription(QStringLiteral("Línea de estado"));
    const double ancho = AnchoPantallaTwips();
    const double alto = AltoPantallaTwips();
    geometriaTwips(this, 0, 0, ancho, alto);
    geometriaTwips(Image1, 1, 1, ancho, alto);
    Image1->setPixmap(GRAFICOS::fondo(Image1->size()));
    for (int i = 0; i < 8; ++i) {
        BTNMENU[i]->setIcon(Graficos().imagenesMenu[i]);
        BTNMENU[i]->setIconSize(Graficos().imagenesMenu[i].deviceIndependentSize().toSize());
    }
    geometriaTwips(FrameMENU1, 1, 1, anchoTwips(FrameMENU1), altoTwips(BTNMENU[0]));
    geometriaTwips(FrameMENU2, ancho - anchoTwips(FrameMENU2), 1, anchoTwips(FrameMENU2),
                   altoTwips(BTNMENU[0]));
    geometriaTwips(BTNMENU[7], ancho - anchoTwips(BTNMENU[7]), altoTwips(FrameMENU2) + 1,
                   anchoTwips(BTNMENU[7]), altoTwips(BTNMENU[7]));
    geometriaTwips(Panmsg, (ancho - anchoTwips(Panmsg)) / 2, alto - altoTwips(Panmsg) - 350,
                   anchoTwips(Panmsg), altoTwips(Panmsg));
    Image1->lower();
}

void FRMPRINCIPAL::Form_Activate() { centrarform(); }

void FRMPRINCIPAL::centrarform() {
    // Ocupa toda la pantalla, así que queda en el origen; un fallo aquí no importa.
    const double izquierda = (AnchoPantallaTwips() - anchoTwips(this)) / 2;
    const double arriba = (AltoPantallaTwips() - altoTwips(this)) / 2;
    move(twipsAPixeles(izquierda), twipsAPixeles(arriba));
}

void FRMPRINCIPAL::AvanzarProgreso() {
    avanzarProgreso(progreso_, Aleatorio());
    if (auto* inicio = dynamic_cast<FRMInicio*>(Instancia(Pantalla::FRMInicio)))
        inicio->mostrarProgreso(progreso_);
}

void FRMPRINCIPAL::BTNMENU_Click(int Index) {
    if (enAccion_)
        return;
    Esperar(50);
    // Mientras dura una acción el menú no admite otra.
    enAccion_ = true;
    FrameMENU1->setEnabled(false);
    FrameMENU2->setEnabled(false);
    BTNMENU[7]->setEnabled(false);
    Resultado = "NO";
    switch (Index) {
    case 0: RealizarConsulta(); break;
    case 1: CrearManualmente(); break;
    case 2: SeleccionarHexagrama(); break;
    case 3:
        if (valorHexagrama() == 0)
            MsgBox(QStringLiteral("No hay consultas almacenadas con anterioridad."),
                   BotonesMensaje::Aceptar, IconoMensaje::Informacion, kTituloInformacion);
        else
            VerUltimaConsulta();
        break;
    case 4: RecuperarConsulta(); break;
    case 5: MostrarAyuda(); break;
    case 6:
        close();
        if (Resultado == "FI") {
            DescargarTodas();
            QApplication::quit();
        }
        break;
    case 7: DatosProgramador(); break;
    default: break;
    }
    FrameMENU1->setEnabled(true);
    FrameMENU2->setEnabled(true);
    BTNMENU[7]->setEnabled(true);
    // Al volver, el foco está en el botón que abrió la acción: quien usa el teclado o un
    // lector de pantalla sigue donde estaba.
    if (Index >= 0 && Index < 8 && isVisible())
        BTNMENU[Index]->setFocus(Qt::OtherFocusReason);
    enAccion_ = false;
    Esperar(50);
    Esperar(50);
}

void FRMPRINCIPAL::mostrar(Pantalla pantalla) {
    if (!MostrarModal(pantalla))
        Resultado = "SI"; // sin la pantalla, la acción se da por cancelada
}

void FRMPRINCIPAL::RealizarConsulta() {
    mostrar(Pantalla::frmconsulta);
    if (Resultado == "SI") {
        Pregunta = PreguntaAnterior;
        return;
    }
    Esperar(50);
    mostrar(Pantalla::FRMTirada);
    if (Resultado == "SI") {
        Pregunta = PreguntaAnterior;
        return;
    }
    CalcularComplementario();
    PreguntaAnterior = Pregunta;
    HexagramaAnterior = Hexagrama;
    Esperar(50);
    Resultado = "NO";
    mostrar(Pantalla::FRMInterpretar);
}

void FRMPRINCIPAL::interpretarYGuardar() {
    CalcularComplementario();
    Esperar(50);
    Resultado = "NO";
    mostrar(Pantalla::FRMInterpretar);
    // La figura pasa a ser la última consulta después de leerla.
    PreguntaAnterior = Pregunta;
    HexagramaAnterior = Hexagrama;
    CalcularComplementario();
}

void FRMPRINCIPAL::CrearManualmente() {
    Pregunta = kPreguntaModoManual;
    Esperar(50);
    mostrar(Pantalla::FRMIntroducir);
    if (Resultado == "SI")
        return;
    interpretarYGuardar();
}

void FRMPRINCIPAL::SeleccionarHexagrama() {
    Esperar(50);
    mostrar(Pantalla::FRM64HEXAGRAMAS);
    Pregunta = kPreguntaModoManual;
    if (Resultado == "SI") {
        Hexagrama = HexagramaAnterior;
        return;
    }
    interpretarYGuardar();
}

void FRMPRINCIPAL::VerUltimaConsulta() {
    Pregunta = PreguntaAnterior;
    Hexagrama = HexagramaAnterior;
    CalcularComplementario();
    Esperar(50);
    Resultado = "NO";
    mostrar(Pantalla::FRMInterpretar);
}

void FRMPRINCIPAL::RecuperarConsulta() {
    mostrar(Pantalla::FRMRecuperar);
    if (Resultado == "SI") {
        Hexagrama = HexagramaAnterior;
        Pregunta = PreguntaAnterior;
        return;
    }
    PreguntaAnterior = Pregunta;
    HexagramaAnterior = Hexagrama;
    CalcularComplementario();
    Resultado = "NO";
    mostrar(Pantalla::FRMInterpretar);
}

void FRMPRINCIPAL::MostrarAyuda() {
    AbrirAyuda(QStringLiteral("HEXORA.HLP"));
    Esperar(20);
}

void FRMPRINCIPAL::DatosProgramador() {
    const QString salto = textoQt(SaltoLinea);
    MsgBox(QStringLiteral("HEXORA v" HEXORA_VERSION) + salto + salto +
               QStringLiteral("1998-2004 Equipo de desarrollo de HEXORA") + salto + salto +
               QStringLiteral("Hecho en tierras de habla hispana") + salto + salto +
               QStringLiteral("EMAIL: hexora@example.org"),
           BotonesMensaje::Aceptar, IconoMensaje::Informacion,
           QStringLiteral("Datos del Programador"));
}

void FRMPRINCIPAL::BTNMENU_MouseMove(int Index) {
    if (Panmsg->text().trimmed() != BTNMENU[Index]->toolTip().trimmed()) {
        Panmsg->setText(BTNMENU[Index]->toolTip());
        Pitido();
    }
}

void FRMPRINCIPAL::Image1_MouseMove() { Panmsg->setText(QString()); }

bool FRMPRINCIPAL::Form_QueryUnload() {
    if (Resultado == "EC")
        return true;
    if (MsgBox(QStringLiteral("¿Finalizar HEXORA?"), BotonesMensaje::SiNo, IconoMensaje::Pregunta,
               QStringLiteral("SALIR")) == RespuestaMensaje::No)
        return false;
    Resultado = "FI";
    return true;
}

void FRMPRINCIPAL::closeEvent(QCloseEvent* evento) {
    if (!Form_QueryUnload()) {
        evento->ignore();
        return;
    }
    evento->accept();
    // Se cierre como se cierre, el programa termina.
    if (!enAccion_) {
        DescargarTodas();
        QApplication::quit();
    }
}

bool FRMPRINCIPAL::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == Image1 && evento->type() == QEvent::MouseMove) {
        Image1_MouseMove();
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (objeto != BTNMENU[i])
            continue;
        switch (evento->type()) {
        case QEvent::MouseMove:
        case QEvent::Enter: BTNMENU_MouseMove(i); break;
        case QEvent::FocusIn: {
            // Cuando el usuario mueve el foco con el teclado también se lee en la línea de
            // estado qué hace el botón; no cuando lo pone el programa (al arrancar o al
            // volver de una acción).
            const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
            if (razon == Qt::TabFocusReason || razon == Qt::BacktabFocusReason ||
                razon == Qt::ShortcutFocusReason)
                Panmsg->setText(BTNMENU[i]->toolTip());
            break;
        }
        case QEvent::KeyPress: {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                BTNMENU[i]->click();
                return true;
            }
            break;
        }
        default: break;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

} // namespace hexora
