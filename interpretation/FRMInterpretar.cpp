#include "FRMInterpretar.h"

#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/ErrorArchivo.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "platform/Mensajes.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"
#include "widgets/NombresHexagrama.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTextDocument>
#include <QtMath>

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <memory>

namespace hexora {

namespace {

const std::array<QString, 9> kSecciones = {
    QStringLiteral("Decisión"), QStringLiteral("Comentario"), QStringLiteral("Imagen"),
    QStringLiteral("Linea 1"),  QStringLiteral("Linea 2"),    QStringLiteral("Linea 3"),
    QStringLiteral("Linea 4"),  QStringLiteral("Linea 5"),    QStringLiteral("Linea 6")};

const std::array<QString, 4> kAyudasMenu = {
    FRMInterpretar::kVerComplementario, QStringLiteral("Archivar Consulta"),
    QStringLiteral("Imprimir Consulta"), QStringLiteral("Menu Principal")};

std::string codigoSeccion(int indice) {
    switch (indice) {
    case 0: return "D";
    case 1: return "C";
    case 2: return "I";
    default: return "L" + std::to_string(indice - 2);
    }
}

// Texto del almacén (párrafos separados por una línea en blanco) en HTML legible: cada
// párrafo con su sangría y la palabra INTERPRETACIÓN destacada.
QString parrafosHtml(const std::string& texto) {
    const QString todo = textoQt(texto);
    QString html;
    for (QString parrafo : todo.split(QStringLiteral("\r\n\r\n"), Qt::SkipEmptyParts)) {
        parrafo = parrafo.trimmed().toHtmlEscaped();
        const QString marca = QStringLiteral("INTERPRETACIÓN");
        if (parrafo.startsWith(marca, Qt::CaseInsensitive))
            parrafo = QStringLiteral("<b>") + parrafo.left(marca.size()) + QStringLiteral("</b>") +
                      parrafo.mid(marca.size());
        html += QStringLiteral("<p style=\"margin-top:0; margin-bottom:8px; text-indent:18px\">") +
                parrafo + QStringLiteral("</p>");
    }
    return html;
}

// Cuadro de texto que pide el alto de su texto entero con el ancho que le den. La
// disposición se lo da si hay sitio; si no, el cuadro se desplaza.
class CajaAjustada : public QTextBrowser {
public:
    explicit CajaAjustada(QWidget* padre) : QTextBrowser(padre) {
        QSizePolicy politica = sizePolicy();
        politica.setHeightForWidth(true);
        setSizePolicy(politica);
    }

    bool hasHeightForWidth() const override { return true; }

    int heightForWidth(int ancho) const override {
        // Se mide una copia: el propio documento lo maqueta el cuadro con su ancho de ahora.
        // Si puede haber barra de desplazamiento se mide sin su ancho: con la barra puesta el
        // texto ocupa un renglón más y no se quitaría nunca.
        const std::unique_ptr<QTextDocument> copia(document()->clone());
        const QMargins m = contentsMargins();
        const int barra = verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                              ? 0
                              : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        copia->setTextWidth(ancho - m.left() - m.right() - barra);
        return qCeil(copia->size().height()) + m.top() + m.bottom();
    }

    QSize sizeHint() const override {
        QSize s = QTextBrowser::sizeHint();
        s.setHeight(heightForWidth(width()));
        return s;
    }
};

// Cuadro de los textos del libro; el ajustado pide el alto de su texto entero.
QTextBrowser* cuadroTexto(QWidget* padre, const QString& nombre, bool ajustado = false) {
    auto* t = ajustado ? new CajaAjustada(padre) : new QTextBrowser(padre);
    t->setAccessibleName(nombre);
    t->setOpenLinks(false);
    QFont letra = t->font();
    letra.setPointSizeF(11.5);
    t->setFont(letra);
    t->setStyleSheet(QStringLiteral("QTextBrowser { background: #fffaf0; color: #1e1e1e; }"));
    return t;
}

// Pone un texto en un cuadro y avisa a la disposición de que su alto puede cambiar.
void ponerHtml(QTextBrowser* cuadro, const QString& html) {
    cuadro->setHtml(html);
    cuadro->updateGeometry();
}

} // namespace

FRMInterpretar::FRMInterpretar() {
    setWindowTitle(QStringLiteral("Interpretación del hexagrama"));
    setModal(true);

    // La pregunta entera, partida en las líneas que haga falta: nunca se desplaza.
    PREGUNTA = new CajaAjustada(this);
    PREGUNTA->setAccessibleName(QStringLiteral("Pregunta"));
    PREGUNTA->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    PREGUNTA->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PREGUNTA->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    PREGUNTA->setSizePolicy([] {
        QSizePolicy fija(QSizePolicy::Preferred, QSizePolicy::Fixed);
        fija.setHeightForWidth(true);
        return fija;
    }());
    PREGUNTA->setTabChangesFocus(true);
    PREGUNTA->document()->setDocumentMargin(2);
    QFont negrita = PREGUNTA->font();
    negrita.setBold(true);
    PREGUNTA->setFont(negrita);

    // La figura, con la línea 1 abajo y un hueco mayor entre los dos trigramas.
    Framehexagrama = new QGroupBox(kPrincipal, this);
    Framehexagrama->setToolTip(QStringLiteral("Principal/Complementario"));
    auto* figura = new QVBoxLayout(Framehexagrama);
    figura->setSpacing(2);
    figura->setContentsMargins(4, 4, 4, 4);
    auto* grupoLineas = new QButtonGroup(this);
    for (int i = 5; i >= 0; --i) {
        LINEA[i] = new QPushButton(Framehexagrama);
        LINEA[i]->setFlat(true);
        LINEA[i]->setFixedSize(111, 22);
        LINEA[i]->setIconSize(QSize(103, 19));
        LINEA[i]->setFocusPolicy(Qt::TabFocus);
        LINEA[i]->setAutoDefault(false);
        grupoLineas->addButton(LINEA[i], i);
        figura->addWidget(LINEA[i], 0, Qt::AlignHCenter);
        if (i == 3)
            figura->addSpacing(6);
    }
    connect(grupoLineas, &QButtonGroup::idClicked, this, &FRMInterpretar::LINEA_Click);

    // Creados en el orden en que se leen: un lector de pantalla recorre los controles así.
    for (int i = 0; i < 2; ++i) {
        TXTHEXAGRAMA[i] = new QLabel(this);
        TXTHEXAGRAMA[i]->setAlignment(Qt::AlignCenter);
        TXTHEXAGRAMA[i]->setWordWrap(true);
    }
    for (int i = 0; i < 2; ++i) {
        SSPANEL2[i] = new QLabel(i == 0 ? QStringLiteral("TRIGRAMA SUPERIOR")
                                        : QStringLiteral("TRIGRAMA INFERIOR"),
                                 this);
        SSPANEL2[i]->setAlignment(Qt::AlignCenter);
        SSPANEL2[i]->setStyleSheet(QStringLiteral(
            "QLabel { background: #004040; color: #f6ecd2; font-weight: bold; padding: 1px; }"));
        TXTTRIGRAMA[i] = new QLabel(this);
        TXTTRIGRAMA[i]->setAlignment(Qt::AlignCenter);
        TXTTRIGRAMA[i]->setToolTip(QStringLiteral("Imagen"));
        TXTTRIGRAMA[i]->setWordWrap(true);
    }
    TXTHEXAGRAMA[0]->setToolTip(QStringLiteral("Principal/Complementario"));
    TXTHEXAGRAMA[1]->setToolTip(QStringLiteral("Decisión"));
    QFont titulo = TXTHEXAGRAMA[0]->font();
    titulo.setPointSizeF(12);
    titulo.setBold(true);
    TXTHEXAGRAMA[0]->setFont(titulo);
    QFont segundo = TXTHEXAGRAMA[1]->font();
    segundo.setItalic(true);
    segundo.setPointSizeF(10.5);
    TXTHEXAGRAMA[1]->setFont(segundo);

    Frame1 = new QGroupBox(this);
    auto* secciones = new QGridLayout(Frame1);
    secciones->setContentsMargins(4, 4, 4, 4);
    secciones->setSpacing(3);
    for (int i = 0; i < 9; ++i) {
        BTNINTERPRETAR[i] = new QPushButton(kSecciones[i], Frame1);
        BTNINTERPRETAR[i]->setEnabled(false);
        BTNINTERPRETAR[i]->setAutoDefault(false);
        BTNINTERPRETAR[i]->installEventFilter(this);
        connect(BTNINTERPRETAR[i], &QPushButton::clicked, this,
                [this, i] { BTNINTERPRETAR_GotFocus(i); });
        // Tres filas de tres: cabe en una pantalla de 640 píxeles de ancho.
        secciones->addWidget(BTNINTERPRETAR[i], i / 3, i % 3);
    }

    Text1 = cuadroTexto(this, QStringLiteral("Texto de la sección"));
    Text2[0] = cuadroTexto(this, QStringLiteral("Texto de la línea"), true);
    Text2[1] = cuadroTexto(this, QStringLiteral("Interpretación de la línea"));
    // El texto de la línea se ve entero y la interpretación ocupa lo que queda, sin bajar
    // de unos renglones; si no cabe todo, se desplaza el texto de la línea.
    Text2[0]->setSizePolicy([] {
        QSizePolicy hastaSuTexto(QSizePolicy::Preferred, QSizePolicy::Maximum);
        hastaSuTexto.setHeightForWidth(true);
        return hastaSuTexto;
    }());
    Text2[1]->setMinimumHeight(Text2[1]->fontMetrics().lineSpacing() * 4 +
                               2 * Text2[1]->frameWidth());

    auto* grupoMenu = new QButtonGroup(this);
    auto* menu = new QHBoxLayout;
    menu->setSpacing(4);
    for (int i = 0; i < 4; ++i) {
        BTNMENU[i] = new QPushButton(this);
        BTNMENU[i]->setFixedSize(48, 48);
        BTNMENU[i]->setIconSize(QSize(42, 42));
        BTNMENU[i]->setToolTip(kAyudasMenu[i]);
        BTNMENU[i]->setAccessibleName(kAyudasMenu[i]);
        BTNMENU[i]->setAutoDefault(false);
        grupoMenu->addButton(BTNMENU[i], i);
        menu->addWidget(BTNMENU[i]);
    }
    connect(grupoMenu, &QButtonGroup::idClicked, this, &FRMInterpretar::BTNMENU_Click);
    fijarBotonCancelar(BTNMENU[3]);

    auto* izquierda = new QVBoxLayout;
    izquierda->setSpacing(3);
    izquierda->addWidget(Framehexagrama);
    izquierda->addWidget(TXTHEXAGRAMA[0]);
    izquierda->addWidget(TXTHEXAGRAMA[1]);
    for (int i = 0; i < 2; ++i) {
        izquierda->addWidget(SSPANEL2[i]);
        izquierda->addWidget(TXTTRIGRAMA[i]);
    }
    izquierda->addStretch();
    izquierda->addLayout(menu);

    auto* textos = new QVBoxLayout;
    textos->setSpacing(4);
    textos->addWidget(Frame1);
    textos->addWidget(Text1, 1);
    textos->addWidget(Text2[0]);
    textos->addWidget(Text2[1], 1);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->setSpacing(8);
    cuerpo->addLayout(izquierda);
    cuerpo->addLayout(textos, 1);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 6, 6, 6);
    todo->setSpacing(5);
    todo->addWidget(PREGUNTA);
    todo->addLayout(cuerpo, 1);
    // La columna de la figura mide lo que la fila de botones del menú.
    const int anchoIzquierda = menu->sizeHint().width();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Framehexagrama, TXTHEXAGRAMA[0], TXTHEXAGRAMA[1],
                                         SSPANEL2[0], SSPANEL2[1], TXTTRIGRAMA[0], TXTTRIGRAMA[1]})
        w->setFixedWidth(anchoIzquierda);

    for (QWidget* w : std::initializer_list<QWidget*>{TXTHEXAGRAMA[0], TXTHEXAGRAMA[1],
                                                      TXTTRIGRAMA[0], TXTTRIGRAMA[1], SSPANEL2[0],
                                                      SSPANEL2[1], Framehexagrama}) {
        w->installEventFilter(this);
        w->setCursor(Qt::PointingHandCursor);
    }
    recentrarConRaton({this, Framehexagrama, Text1->viewport(), Text2[0]->viewport(),
                       Text2[1]->viewport(), BTNMENU[0], BTNMENU[1], BTNMENU[2], BTNMENU[3]});

    // Pensada para 640 x 480 con el marco de la ventana; en pantallas mayores crece para
    // leer con holgura.
    const int ancho = std::min(820, twipsAPixeles(AnchoPantallaTwips()) - 10);
    const int alto = std::min(640, twipsAPixeles(AltoPantallaTwips()) - 40);
    resize(ancho, alto);
    Text2[0]->hide();
    Text2[1]->hide();
}

void FRMInterpretar::Form_Load() {
    BTNMENU[0]->setIcon(Graficos().IMGHEXAGR[1]);
    for (int i = 1; i < 4; ++i)
        BTNMENU[i]->setIcon(Graficos().imagenesInterpretar[i - 1]);
    fijarContorno(true);
    centrarform();
}

void FRMInterpretar::Form_Activate() {
    if (Resultado == "SI") {
        // Vuelta de archivar o imprimir: nada se rehace, pero el buffer vuelve a tener el
        // texto del hexagrama que se ve (la impresión de los dos lo deja con el otro).
        const std::string lineas(seVeElComplementario() ? Complementario.valor()
                                                        : Hexagrama.valor());
        try {
            hexora::CargarBuffer(lineas);
        } catch (const ErrorArchivo& e) {
            MsgBox(QString::fromStdString(e.what()), BotonesMensaje::Aceptar, IconoMensaje::Critico,
                   kTituloInformacion);
            quedarSinTexto();
            return;
        }
    } else {
        ponerConmutador(true);
        for (auto* l : LINEA)
            l->hide();
        Text1->clear();
        Text2[0]->clear();
        Text2[1]->clear();
        centrarform();
        repaint();
        ActualizaHexagrama(Hexagrama.valor());
        for (int i = 3; i < 9; ++i)
            BTNINTERPRETAR[i]->setEnabled(false);
        // Un salto de línea de la pregunta se ve como tal, no como dos espacios.
        PREGUNTA->setPlainText(
            textoQt(Pregunta.recortado()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        PREGUNTA->updateGeometry();
        if (!CargarBuffer(Hexagrama.valor())) {
            quedarSinTexto();
            return;
        }
        for (int i = 0; i < 3; ++i)
            BTNINTERPRETAR[i]->setEnabled(true);
    }
    if (Complementario == Hexagrama.valor()) {
        for (int i = 3; i < 9; ++i)
            BTNINTERPRETAR[i]->setEnabled(false);
    }
    IndiceSeccion = -1;
    BTNMENU[0]->setVisible(true);
    if (Resultado != "SI") {
        // Cada consulta nueva se abre con la decisión a la vista, sin depender de los
        // eventos de foco del sistema de ventanas.
        mostrarIndice(0);
        BTNINTERPRETAR[0]->setFocus();
    }
}

void FRMInterpretar::ActualizaHexagrama(const std::string& lineas) {
    for (int i = 0; i < 6; ++i) {
        const char c = i < static_cast<int>(lineas.size()) ? lineas[i] : ' ';
        const QString pista =
            esLineaMutante(c) ? QStringLiteral("Interpretar línea %1").arg(i + 1) : QString();
        LINEA[i]->setToolTip(pista);
        LINEA[i]->setAccessibleName(nombreAccesibleLinea(i, c));
        const int indice = indiceImagenLinea(c);
        LINEA[i]->setIcon(indice >= 0 && indice < 4 ? QIcon(Graficos().GRFLINEAm[indice])
                                                    : QIcon());
        LINEA[i]->setVisible(true);
    }
    mostrarNombresHexagrama(lineas, TXTHEXAGRAMA, TXTTRIGRAMA);
}

bool FRMInterpretar::CargarBuffer(const std::string& lineas) {
    try {
        hexora::CargarBuffer(lineas, [this](int k) { BTNINTERPRETAR[k + 2]->setEnabled(true); });
    } catch (const ErrorArchivo& e) {
        MsgBox(QString::fromStdString(e.what()), BotonesMensaje::Aceptar, IconoMensaje::Critico,
               kTituloInformacion);
        return false;
    }
    BTNINTERPRETAR[0]->setEnabled(true);
    BTNINTERPRETAR[0]->setFocus();
    return true;
}

void FRMInterpretar::quedarSinTexto() {
    for (auto* b : BTNINTERPRETAR)
        b->setEnabled(false);
    Text1->clear();
    Text2[0]->clear();
    Text2[1]->clear();
    IndiceSeccion = -1;
}

void FRMInterpretar::BTNINTERPRETAR_GotFocus(int Index) {
    if (!BTNINTERPRETAR[Index]->isEnabled() || Index == IndiceSeccion)
        return;
    IndiceSeccion = Index;
    MostrarSeccion(codigoSeccion(Index));
}

void FRMInterpretar::mostrarIndice(int Index) { BTNINTERPRETAR_GotFocus(Index); }

void FRMInterpretar::MostrarSeccion(const std::string& codigo) {
    const Seccion s = ExtraerSeccion(codigo);
    if (codigo[0] == 'L') {
        ponerHtml(Text2[0], parrafosHtml(s.texto));
        ponerHtml(Text2[1], parrafosHtml(s.interpretacion));
        Text2[0]->setVisible(true);
        Text2[1]->setVisible(true);
        Text1->setVisible(false);
    } else {
        ponerHtml(Text1, parrafosHtml(s.texto));
        Text1->setVisible(true);
        Text2[0]->setVisible(false);
        Text2[1]->setVisible(false);
    }
}

void FRMInterpretar::LINEA_Click(int Index) {
    Esperar(30);
    if (BTNINTERPRETAR[Index + 3]->isEnabled())
        mostrarIndice(Index + 3);
}

bool FRMInterpretar::seVeElComplementario() const { return BTNMENU[0]->toolTip() == kVerPrincipal; }

void FRMInterpretar::ponerConmutador(bool principal) {
    const QString pista = principal ? kVerComplementario : kVerPrincipal;
    BTNMENU[0]->setToolTip(pista);
    BTNMENU[0]->setAccessibleName(pista);
    BTNMENU[0]->setIcon(Graficos().IMGHEXAGR[principal ? 1 : 0]);
    Framehexagrama->setTitle(principal ? kPrincipal : kComplementario);
}

void FRMInterpretar::BTNMENU_Click(int Index) {
    switch (Index) {
    case 0: {
        if (Complementario == Hexagrama.valor()) {
            const QString salto = textoQt(SaltoLinea);
            MsgBox(QStringLiteral("El hexagrama complementario sólo se") + salto +
                       QStringLiteral("crea cuando existen Lineas Cambiantes") + salto +
                       QStringLiteral("en el Hexagrama Principal.") + salto,
                   BotonesMensaje::Aceptar, IconoMensaje::Informacion, kTituloInformacion);
            return;
        }
        const bool volverAlPrincipal = seVeElComplementario();
        bool cargado = false;
        if (volverAlPrincipal) {
            ActualizaHexagrama(Hexagrama.valor());
            cargado = CargarBuffer(Hexagrama.valor());
        } else {
            for (int i = 3; i < 9; ++i)
                BTNINTERPRETAR[i]->setEnabled(false);
            ActualizaHexagrama(Complementario.valor());
            cargado = CargarBuffer(Complementario.valor());
        }
        ponerConmutador(volverAlPrincipal);
        if (!cargado) {
            quedarSinTexto();
            return;
        }
        IndiceSeccion = -1;
        mostrarIndice(0);
        break;
    }
    case 1:
        Resultado = "SI";
        MostrarModal(Pantalla::FRMGrabar);
        break;
    case 2:
        Resultado = "SI";
        MostrarModal(Pantalla::FRMImprimir);
        break;
    case 3: hide(); break;
    default: return;
    }
    for (int i = 0; i < 3; ++i)
        BTNINTERPRETAR[i]->setEnabled(true);
    IndiceSeccion = -1;
    Esperar(50);
}

bool FRMInterpretar::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::FocusIn) {
        for (int i = 0; i < 9; ++i) {
            if (objeto == BTNINTERPRETAR[i])
                BTNINTERPRETAR_GotFocus(i);
        }
    } else if (evento->type() == QEvent::MouseButtonRelease) {
        if (objeto == TXTHEXAGRAMA[0] || objeto == TXTHEXAGRAMA[1])
            mostrarIndice(0);
        else if (objeto == TXTTRIGRAMA[0] || objeto == TXTTRIGRAMA[1] || objeto == SSPANEL2[0] ||
                 objeto == SSPANEL2[1])
            mostrarIndice(2);
        else if (objeto == Framehexagrama)
            BTNMENU_Click(0);
    }
    return Formulario::eventFilter(objeto, evento);
}

} // namespace hexora
