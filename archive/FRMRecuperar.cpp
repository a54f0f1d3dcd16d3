#include "FRMRecuperar.h"

#include "archive/AvisosArchivo.h"
#include "core/Aritmetica.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "platform/Mensajes.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"
#include "widgets/NombresHexagrama.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace hexora {

namespace {

QLabel* encabezado(const QString& texto, QWidget* padre) {
    auto* l = new QLabel(texto, padre);
    QFont negrita = l->font();
    negrita.setBold(true);
    l->setFont(negrita);
    return l;
}

QComboBox* lista(QWidget* padre, const QString& nombre, int caracteres) {
    auto* c = new QComboBox(padre);
    c->setAccessibleName(nombre);
    // Las entradas llevan el campo entero; la lista no crece con él.
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(caracteres);
    return c;
}

} // namespace

FRMRecuperar::FRMRecuperar() {
    setWindowTitle(QStringLiteral("Recuperar Consulta"));
    // La instrucción se crea antes que nada: un lector de pantalla la lee la primera.
    Label1 = new QLabel(QStringLiteral("SELECCIONE UNA CONSULTA"), this);
    Label1->setAlignment(Qt::AlignCenter);
    QFont grande = Label1->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() + 1);
    Label1->setFont(grande);

    for (auto*& panel : sspanel2) {
        panel = new QFrame(this);
        panel->setFrameShape(QFrame::StyledPanel);
    }
    Command1[0] = encabezado(QStringLiteral("USUARIO:"), sspanel2[0]);
    Command1[1] = encabezado(QStringLiteral("CONSULTA:"), sspanel2[0]);
    Command1[2] = encabezado(QStringLiteral("FECHA Consulta:"), sspanel2[0]);
    CMBUSUARIO = lista(sspanel2[0], QStringLiteral("Usuario"), 24);
    CMBCONSULTA = lista(sspanel2[0], QStringLiteral("Consulta"), 40);
    Command1[0]->setBuddy(CMBUSUARIO);
    Command1[1]->setBuddy(CMBCONSULTA);
    LBLFecha = new QLabel(sspanel2[0]);
    // Su nombre accesible es la fecha misma; lo que es, en la descripción.
    LBLFecha->setAccessibleDescription(QStringLiteral("Fecha de la consulta"));
    LabelBuscar = encabezado(QStringLiteral("Buscar:"), sspanel2[0]);
    TXTBuscar = new QLineEdit(sspanel2[0]);
    TXTBuscar->setAccessibleName(QStringLiteral("Buscar"));
    TXTBuscar->setAccessibleDescription(
        QStringLiteral("Deja en las listas las consultas cuyo usuario o pregunta contienen el "
                       "texto, sin distinguir mayúsculas ni acentos. Flecha abajo: a la lista."));
    TXTBuscar->setClearButtonEnabled(true);
    TXTBuscar->installEventFilter(this);
    LabelBuscar->setBuddy(TXTBuscar);
    connect(TXTBuscar, &QLineEdit::textChanged, this, &FRMRecuperar::aplicarBusqueda);
    // Un solo modelo para las dos listas, cada una con su columna: filtradas, siguen en
    // paralelo, y con miles de consultas no se copia nada de antemano.
    modelo_ = new ModeloConsultas(this);
    CMBUSUARIO->setModel(modelo_);
    CMBUSUARIO->setModelColumn(0);
    CMBCONSULTA->setModel(modelo_);
    CMBCONSULTA->setModelColumn(1);
    auto* datos = new QGridLayout(sspanel2[0]);
    datos->addWidget(LabelBuscar, 0, 0);
    datos->addWidget(TXTBuscar, 0, 1);
    datos->addWidget(Command1[0], 1, 0);
    datos->addWidget(CMBUSUARIO, 1, 1);
    datos->addWidget(Command1[1], 2, 0);
    datos->addWidget(CMBCONSULTA, 2, 1);
    datos->addWidget(Command1[2], 3, 0);
    datos->addWidget(LBLFecha, 3, 1);
    datos->setColumnStretch(1, 1);

    connect(CMBUSUARIO, &QComboBox::currentIndexChanged, this,
            [this](int i) { seleccionCambiada(CMBUSUARIO, i); });
    connect(CMBCONSULTA, &QComboBox::currentIndexChanged, this,
            [this](int i) { seleccionCambiada(CMBCONSULTA, i); });

    // La figura de la consulta elegida, con la línea 1 abajo.
    auto* figura = new QVBoxLayout;
    figura->setSpacing(3);
    for (int i = 5; i >= 0; --i) {
        LINEA[i] = new QLabel(sspanel2[1]);
        LINEA[i]->setFixedSize(86, 16);
        LINEA[i]->setAccessibleName(nombreAccesibleLinea(i, ' '));
        figura->addWidget(LINEA[i], 0, Qt::AlignHCenter);
        if (i == 3)
            figura->addSpacing(5);
    }
    for (auto*& l : label2) {
        l = new QLabel(sspanel2[1]);
        l->setAlignment(Qt::AlignCenter);
    }
    QFont titulo = label2[0]->font();
    titulo.setBold(true);
    label2[0]->setFont(titulo);
    auto* hexagrama = new QHBoxLayout(sspanel2[1]);
    hexagrama->addLayout(figura);
    auto* nombres = new QVBoxLayout;
    nombres->addStretch();
    nombres->addWidget(label2[0]);
    nombres->addWidget(label2[1]);
    nombres->addStretch();
    hexagrama->addLayout(nombres, 1);

    auto* grupo = new QButtonGroup(this);
    auto* botones = new QHBoxLayout;
    const std::array<QString, 3> nombresBotones = {
        QStringLiteral("Aceptar"), QStringLiteral("Cancelar"), QStringLiteral("Elimina Consulta")};
    for (int i = 0; i < 3; ++i) {
        BTNAUX[i] = crearBotonAux(this, nombresBotones[i]);
        BTNAUX[i]->setAutoDefault(false);
        grupo->addButton(BTNAUX[i], i);
    }
    botones->addWidget(BTNAUX[2]);
    botones->addStretch();
    botones->addWidget(BTNAUX[0]);
    botones->addWidget(BTNAUX[1]);
    connect(grupo, &QButtonGroup::idClicked, this, &FRMRecuperar::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX[1]);
    setTabOrder(TXTBuscar, CMBUSUARIO);
    setTabOrder(CMBUSUARIO, CMBCONSULTA);
    setTabOrder(CMBCONSULTA, BTNAUX[2]);
    setTabOrder(BTNAUX[2], BTNAUX[0]);
    setTabOrder(BTNAUX[0], BTNAUX[1]);

    auto* disposicion = new QVBoxLayout(this);
    disposicion->addWidget(Label1);
    disposicion->addWidget(sspanel2[0]);
    disposicion->addWidget(sspanel2[1]);
    disposicion->addLayout(botones);
    recentrarConRaton({this, sspanel2[0], sspanel2[1], BTNAUX[0], BTNAUX[1], BTNAUX[2]});
}

void FRMRecuperar::Form_Load() {
    BTNAUX[0]->setIcon(Graficos().Gaceptar);
    BTNAUX[1]->setIcon(Graficos().Gcancelar);
    BTNAUX[2]->setIcon(Graficos().Geliminar);
    resize(std::min(600, twipsAPixeles(AnchoPantallaTwips()) - 20), sizeHint().height());
    centrarform();
}

void FRMRecuperar::Form_Activate() {
    centrarform();
    Listo = "SI";
    {
        // Cada vez que se abre se ven todas: una búsqueda vieja escondería consultas.
        const QSignalBlocker b(TXTBuscar);
        TXTBuscar->clear();
    }
    CargarConsultas();
    if (Instancia(Pantalla::FRMRecuperar) != this)
        return; // se cerró sola: no hay nada que mostrar
    sspanel2[0]->repaint();
    Esperar(50);
    CMBUSUARIO->setFocus();
}

void FRMRecuperar::cerrarComoCancelada() {
    BTNAUX[0]->setVisible(false);
    Resultado = "SI";
    Descargar(Pantalla::FRMRecuperar);
}

void FRMRecuperar::CargarConsultas() {
    {
        const QSignalBlocker b1(CMBUSUARIO);
        const QSignalBlocker b2(CMBCONSULTA);
        modelo_->fijarRegistros(nullptr);
    }
    LBLFecha->clear();
    try {
        registros_ = leerConsultas();
    } catch (const std::exception& e) {
        registros_.clear();
        hide(); // el aviso no deja detrás una lista que ya no vale
        MostrarError(e);
        cerrarComoCancelada();
        return;
    }
    if (registros_.empty()) {
        hide(); // el aviso no deja detrás una lista que ya no vale
        MsgBox(QStringLiteral("NO EXITEN CONSULTAS ARCHIVADAS"), BotonesMensaje::Aceptar,
               IconoMensaje::Informacion, kTituloInformacion);
        cerrarComoCancelada();
        return;
    }
    busqueda_ = std::make_unique<BusquedaConsultas>(registros_);
    {
        const QSignalBlocker b1(CMBUSUARIO);
        const QSignalBlocker b2(CMBCONSULTA);
        modelo_->fijarRegistros(&registros_);
    }
    aplicarBusqueda();
}

void FRMRecuperar::aplicarBusqueda() {
    if (!busqueda_)
        return;
    const QString buscado = TXTBuscar->text().normalized(QString::NormalizationForm_C);
    {
        const QSignalBlocker b1(CMBUSUARIO);
        const QSignalBlocker b2(CMBCONSULTA);
        modelo_->filtrar(busqueda_->buscar(textoCp1252(buscado)));
        const int primera = modelo_->rowCount() > 0 ? 0 : -1;
        CMBUSUARIO->setCurrentIndex(primera);
        CMBCONSULTA->setCurrentIndex(primera);
    }
    const bool hay = modelo_->rowCount() > 0;
    BTNAUX[0]->setVisible(hay);
    BTNAUX[2]->setVisible(hay);
    MostrarConsulta();
}

long FRMRecuperar::posicionElegida() const {
    const long p = modelo_->posicionEnArchivo(CMBUSUARIO->currentIndex());
    return p < static_cast<long>(registros_.size()) ? p : -1;
}

bool FRMRecuperar::eventFilter(QObject* objeto, QEvent* evento) {
    // Flecha abajo en la búsqueda lleva a las consultas encontradas.
    if (objeto == TXTBuscar && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Down && CMBUSUARIO->count() > 0) {
        CMBUSUARIO->setFocus(Qt::TabFocusReason);
        return true;
    }
    return Formulario::eventFilter(objeto, evento);
}

void FRMRecuperar::seleccionCambiada(QComboBox* origen, int indice) {
    if (Listo != "SI" || indice < 0)
        return;
    QComboBox* otra = origen == CMBUSUARIO ? CMBCONSULTA : CMBUSUARIO;
    // Con el mismo índice la otra lista no vuelve a avisar: no se llaman sin fin.
    otra->setCurrentIndex(indice);
    MostrarConsulta();
}

void FRMRecuperar::MostrarConsulta() {
    const long r = posicionElegida();
    if (r < 0) {
        // La búsqueda no ha dejado ninguna: nada que mostrar ni que devolver.
        LBLFecha->clear();
        for (auto* l : LINEA)
            l->setVisible(false);
        label2[0]->setText(QStringLiteral("Ninguna consulta coincide con la búsqueda."));
        label2[1]->clear();
        return;
    }
    Registro = registros_[static_cast<std::size_t>(r)];
    LBLFecha->setText(textoQt(Registro.Fecha()));
    const std::string lineas(Registro.Lineas());
    for (int i = 0; i < 6; ++i) {
        const int p = indiceImagenLinea(lineas[static_cast<std::size_t>(i)]);
        LINEA[i]->setPixmap(p >= 0 && p < 4 ? Graficos().GRFLINEAp[p] : QPixmap());
        LINEA[i]->setAccessibleName(nombreAccesibleLinea(i, lineas[static_cast<std::size_t>(i)]));
        LINEA[i]->setVisible(true);
    }
    const short k = NumeroHexagrama(lineas);
    const auto& fila = filaHexagrama(k);
    label2[0]->setText(QStringLiteral(" %1 - ").arg(k) + textoQt(recortar(fila[4])));
    label2[1]->setText(textoQt(recortar(fila[5])));
}

void FRMRecuperar::EliminarConsulta() {
    if (MsgBox(QStringLiteral("ELIMINAR CONSULTA SELECCIONADA"), BotonesMensaje::SiNo,
               IconoMensaje::Pregunta) != RespuestaMensaje::Si)
        return;
    const long s = posicionElegida();
    if (s < 0)
        return;
    try {
        const auto cambio = hexora::EliminarConsulta(static_cast<std::size_t>(s),
                                                     registros_[static_cast<std::size_t>(s)]);
        if (cambio)
            avisarDelCambio(*cambio, QStringLiteral("La consulta se ha eliminado"));
        else
            MsgBox(QStringLiteral("El archivo de consultas ha cambiado desde que se abrió esta "
                                  "lista; no se ha borrado nada. Revise la lista y vuelva a "
                                  "intentarlo."),
                   BotonesMensaje::Aceptar, IconoMensaje::Exclamacion, kTituloInformacion);
    } catch (const std::exception& e) {
        MostrarError(e);
    }
    Esperar(100);
    CargarConsultas();
}

void FRMRecuperar::BTNAUX_Click(int Index) {
    switch (Index) {
    case 0:
        if (posicionElegida() < 0)
            return;
        Resultado = "NO";
        Pregunta = Registro.Texto();
        Hexagrama = Registro.Lineas();
        Esperar(50);
        hide();
        break;
    case 1:
        Resultado = "SI";
        Esperar(50);
        hide();
        break;
    case 2: EliminarConsulta(); break;
    default: break;
    }
}

} // namespace hexora
