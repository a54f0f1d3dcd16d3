// La pantalla de impresión con la impresora de Qt, que sin impresora escribe PDF, y lo
// impreso leído con pdftotext (poppler-utils) como lo leería alguien. 967876 es el
// hexagrama 63 y su complementario 877877, el 57 (Sun sobre Sun).

#include "PantallasConDatos.h"
#include "core/AlmacenTextos.h"
#include "core/EstadoConsulta.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/DialogosImpresion.h"
#include "platform/FuentesImpresion.h"
#include "platform/ImpresoraQt.h"
#include "platform/MedidaQt.h"
#include "platform/Plataforma.h"
#include "printing/FRMImprimir.h"
#include "printing/Informe.h"
#include "printing/Maquetacion.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <deque>

using namespace hexora;

namespace {

// Salida de una herramienta de poppler-utils (pdftotext, pdffonts) sobre un PDF.
QString poppler(const QString& programa, QStringList argumentos) {
    QProcess p;
    p.start(programa, argumentos);
    EXPECT_TRUE(p.waitForFinished(20000) && p.exitCode() == 0) << programa.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
QString textoPdf(const QString& pdf) { return poppler("pdftotext", {"-enc", "UTF-8", pdf, "-"}); }

// El texto sin los guiones de fin de línea y con los blancos reducidos a uno.
QString seguido(QString texto) { return texto.replace("-\n", "").simplified(); }

// Las palabras de un PDF con su caja en puntos, según pdftotext -bbox.
struct Palabra {
    int pagina;
    double x0, y0, x1, y1;
    QString texto;
};
constexpr double kAnchoA4 = 595.276, kAltoA4 = 841.89; // en puntos
std::vector<Palabra> cajasPdf(const QString& pdf) {
    std::vector<Palabra> r;
    int pagina = 0;
    static const QRegularExpression palabra(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    for (const QString& l :
         poppler("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"}).split('\n')) {
        if (l.contains("<page "))
            ++pagina;
        else if (const auto w = palabra.match(l); w.hasMatch())
            r.push_back({pagina, w.captured(1).toDouble(), w.captured(2).toDouble(),
                         w.captured(3).toDouble(), w.captured(4).toDouble(), w.captured(5)});
    }
    return r;
}

class Imprimir : public PantallasConDatos {
protected:
    void SetUp() override {
        PantallasConDatos::SetUp();
        documentos = QString::fromStdString((carpeta.ruta() / "Documentos").string());
        fijarCarpetaDocumentos(documentos);
        fijarHayImpresoraSistema([] { return false; });
        FuenteTexto = {};
        interpretar = CargarComo<FRMInterpretar>(Pantalla::FRMInterpretar);
        f = CargarComo<FRMImprimir>(Pantalla::FRMImprimir);
    }
    void TearDown() override {
        fijarCarpetaDocumentos({});
        fijarHayImpresoraSistema({});
        fijarDialogoFuentes({});
        fijarDialogoImpresora({});
        PantallasConDatos::TearDown();
    }
    void consulta(const std::string& figura) {
        Pregunta = "\xBFQu\xE9 conviene hacer?";
        Hexagrama = figura;
        CalcularComplementario();
        Resultado = "NO";
        interpretar->Form_Activate();
    }
    // "Imprimir Consulta" en la interpretación y, en la pantalla de impresión, el guion.
    void desdeInterpretar(std::function<void()> guion) {
        entorno.guion[Pantalla::FRMImprimir] = [guion](Formulario&) { guion(); };
        interpretar->BTNMENU_Click(2);
    }
    QStringList pdfs() const {
        const QDir d(documentos + "/HEXORA");
        QStringList r;
        for (const QString& n : d.entryList({"*.pdf"}, QDir::Files, QDir::Name))
            r << d.filePath(n);
        return r;
    }
    // La figura de la vista previa, de abajo arriba.
    std::string vista() const {
        std::string s;
        for (auto* l : f->glinea)
            s += textoCp1252(l->property("Tag").toString());
        return s + " " + textoCp1252(f->Framehexagrama->title());
    }
    void comprobarPdfs(const std::string& pregunta, const std::string& figura, bool proporcional);
    QString documentos;
    FRMInterpretar* interpretar = nullptr;
    FRMImprimir* f = nullptr;
};

} // namespace

// La vista previa enseña desde la primera vez lo que imprimirá la opción elegida y, sin elegir, se
// imprime el hexagrama que se ve en la interpretación. Solo con el teclado: el tabulador lleva a la
// opción de los dos hexagramas, la flecha la elige e Intro imprime; el Intro del teclado
// numérico abre la letra, que sirve al cuerpo y a los rótulos y, cancelada, no cambia.
TEST_F(Imprimir, VistaPreviaTecladoYLetra) {
    consulta("967876");
    interpretar->BTNMENU_Click(0); // se ve el complementario
    desdeInterpretar([&] {
        activar(*f);
        EXPECT_EQ(vista(), "877877 HEXAGRAMA COMPLEMENTARIO");
        f->OPCION[0]->click();
        EXPECT_EQ(vista(), "967876 HEXAGRAMA PRINCIPAL");
        f->OPCION[1]->click();
        EXPECT_EQ(vista(), "877877 HEXAGRAMA COMPLEMENTARIO");
        f->BTNMENU_Click(0); // imprime el que se ve
    });
    ASSERT_EQ(pdfs().size(), 1);
    EXPECT_TRUE(pdfs()[0].endsWith("hexagrama 57.pdf")) << pdfs()[0].toStdString();
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(pdfs()[0]));
    EXPECT_FALSE(f->isVisible() || std::filesystem::exists(carpeta.ruta() / "inter.tmp"));
    std::deque<std::optional<QFont>> letras{QFont("Liberation Sans", 14), std::nullopt};
    fijarDialogoFuentes([&](const QFont&) {
        const auto r = letras.front();
        letras.pop_front();
        return r;
    });
    desdeInterpretar([&] {
        activar(*f);
        ASSERT_EQ(f->focusWidget(), f->BTNMENU[0]);
        ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[2], true));
        tecla(*f, Qt::Key_Enter, Qt::KeypadModifier);
        tecla(*f, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(letras.empty());
        ASSERT_TRUE(tabularHasta(*f, f->OPCION[1], true));
        tecla(*f, Qt::Key_Up);
        EXPECT_TRUE(f->OPCION[0]->isChecked());
        ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[0]));
        tecla(*f, Qt::Key_Return);
    });
    ASSERT_EQ(pdfs().size(), 3);
    EXPECT_FALSE(f->isVisible());
    const QString usadas = poppler("pdffonts", {pdfs().filter("hexagrama 63.pdf").value(0)});
    EXPECT_TRUE(usadas.contains("LiberationSans-Bold") &&
                usadas.contains(QRegularExpression("LiberationSans\\s")))
        << usadas.toStdString();
}

// Una figura sin texto (de un archivo de consultas dañado) no se imprime con el texto de la
// consulta anterior: un aviso y ningún documento. Un PDF elegido en el diálogo de impresora no se
// pisa nunca; un fallo del diálogo se dice, y la cancelación, no.
TEST_F(Imprimir, FallosYImpresoraElegida) {
    consulta("967876");
    consulta("123459");
    entorno.mensajes.clear();
    desdeInterpretar([this] { f->BTNMENU_Click(0); });
    EXPECT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(pdfs().isEmpty());
    consulta("967876");
    const QString elegido = documentos + "/elegido.pdf";
    fijarDialogoImpresora([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(elegido);
        return true;
    });
    f->BTNMENU_Click(1);
    entorno.mensajes.clear();
    desdeInterpretar([&] { f->BTNMENU_Click(0); });
    desdeInterpretar([&] { f->BTNMENU_Click(0); });
    EXPECT_TRUE(QFileInfo::exists(elegido) && QFileInfo::exists(documentos + "/elegido (2).pdf"));
    EXPECT_TRUE(pdfs().isEmpty());
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    entorno.mensajes.clear();
    fijarDialogoImpresora([](QPrinter&) -> bool { throw FalloImpresion(kErrorImpresora, "x"); });
    f->BTNMENU_Click(1);
    fijarDialogoImpresora([](QPrinter&) { return false; });
    f->BTNMENU_Click(1);
    EXPECT_EQ(entorno.mensajes.size(), 1u);
}

// La impresora de verdad, que falla una vez en la operación que diga la prueba y anota lo
// que dibuja, con las alturas desde el primer trazo.
class ImpresoraQueFalla : public ImpresoraQt {
public:
    std::string falla; // "ancho" o "terminar"
    std::vector<std::string> dibujos;
    long anchoPagina() override {
        fallarSi("ancho");
        return ImpresoraQt::anchoPagina();
    }
    void terminarDocumento() override {
        fallarSi("terminar");
        ImpresoraQt::terminarDocumento();
    }
    void rectanguloRelleno(double x1, double y1, double x2, double y2) override {
        anotar("rect", {x1, y1, x2, y2});
        ImpresoraQt::rectanguloRelleno(x1, y1, x2, y2);
    }
    void segmento(double x1, double y1, double x2, double y2) override {
        anotar("seg", {x1, y1, x2, y2});
        ImpresoraQt::segmento(x1, y1, x2, y2);
    }
    void circulo(double cx, double cy, double radio) override {
        anotar("circ", {cx, cy, radio});
        ImpresoraQt::circulo(cx, cy, radio);
    }

private:
    void fallarSi(const std::string& operacion) {
        if (falla == operacion) {
            falla.clear();
            throw FalloImpresion(kErrorImpresora, "detalle");
        }
    }
    // x e y alternas (del círculo, el centro y el radio), las y desde el primer trazo.
    void anotar(std::string que, const std::vector<double>& v) {
        if (dibujos.empty())
            y0_ = v[1];
        for (std::size_t i = 0; i < v.size(); ++i)
            que += " " + std::to_string(std::lround(i % 2 == 1 ? v[i] - y0_ : v[i]));
        dibujos.push_back(que);
    }
    double y0_ = 0;
};

// La figura de 967876 de arriba abajo, con el hueco entre los trigramas: las barras, el aspa
// del yin viejo y el círculo del yang viejo, en twips; lo que no es una línea no se dibuja.
TEST_F(Imprimir, FiguraDeArribaAbajo) {
    CargarBuffer("967876");
    ImpresoraQueFalla impresora;
    MedidaQt medida(impresora.impresora());
    const auto dibujar = [&](std::array<char, 6> lineas) {
        impresora.dibujos.clear();
        impresora.prepararDocumento("figura");
        const DatosInforme datos{"\xBFSirve?", "HEXAGRAMA PRINCIPAL", lineas, {}, {}};
        EXPECT_EQ(hexora::Imprimir(
                      datos, impresora, medida,
                      [](const AvisoFallo&) { return RespuestaFallo::Anular; },
                      carpeta.ruta() / kArchivoIntermedio),
                  FinImpresion::Terminado);
        return impresora.dibujos;
    };
    EXPECT_EQ(dibujar({'9', '6', '7', '8', '7', '6'}),
              (std::vector<std::string>{
                  "rect 500 0 1100 100", "rect 1400 0 2000 100", "seg 1200 0 1300 100",
                  "seg 1200 100 1300 0", "rect 500 200 2000 300", "rect 500 400 1100 500",
                  "rect 1400 400 2000 500", "rect 500 750 2000 850", "rect 500 950 1100 1050",
                  "rect 1400 950 2000 1050", "seg 1200 950 1300 1050", "seg 1200 1050 1300 950",
                  "rect 500 1150 1100 1250", "rect 1400 1150 2000 1250", "circ 1250 1200 70"}));
    // Arriba el 9; la cuarta línea y la de abajo no son líneas y no dejan nada en su sitio.
    const auto otra = dibujar({'x', '7', '8', ' ', '7', '9'});
    EXPECT_EQ(otra.size(), 7u);
    for (const auto& d : otra)
        EXPECT_TRUE(d.find(" 400 ") == std::string::npos && d.find(" 1150 ") == std::string::npos)
            << d;
}

// Reintentar repite el paso que falló; Omitir sigue con el siguiente; Anular cancela el
// documento, que no queda como un PDF bueno. Un fallo de archivo sin un error de impresora
// antes solo deja Aceptar y el documento a medias se quita; tras uno, también deja elegir y,
// omitido, el documento sale sin cuerpo.
TEST_F(Imprimir, FallosDeLaImpresoraYDeArchivos) {
    CargarBuffer("967876");
    const DatosInforme datos{"\xBFSirve?", "HEXAGRAMA PRINCIPAL", {}, {}, {}};
    ImpresoraQueFalla impresora;
    MedidaQt medida(impresora.impresora());
    std::vector<AvisoFallo> avisos;
    QString pdf;
    const auto imprimir = [&](const char* falla, std::deque<RespuestaFallo> respuestas,
                              const char* subcarpeta) {
        impresora.falla = falla;
        pdf = impresora.prepararDocumento("informe").rutaPdf;
        avisos.clear();
        const auto responder = [&](const AvisoFallo& a) {
            avisos.push_back(a);
            const RespuestaFallo r = respuestas.at(0);
            respuestas.pop_front();
            return r;
        };
        return hexora::Imprimir(datos, impresora, medida, responder,
                                carpeta.ruta() / subcarpeta / kArchivoIntermedio);
    };
    using R = RespuestaFallo;
    EXPECT_EQ(imprimir("ancho", {R::Reintentar, R::Omitir, R::Omitir}, "no-existe"),
              FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_TRUE(avisos[0].conOpciones && avisos[1].conOpciones && avisos[2].conOpciones);
    const QString texto = textoPdf(pdf);
    EXPECT_TRUE(texto.contains("CONSULTA:") && texto.contains("HEXAGRAMA PRINCIPAL") &&
                !texto.contains("DECISION"))
        << texto.toStdString();
    EXPECT_EQ(imprimir("terminar", {R::Anular}, ""), FinImpresion::Anulado);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(imprimir("", {R::Aceptar}, "no-existe"), FinImpresion::Abandonado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_FALSE(avisos[0].conOpciones || QFileInfo::exists(pdf));
}

// Los dos hexagramas a 14 puntos con una pregunta de 100 caracteres, y a 24 en una letra de
// ancho fijo con los nombres más largos de la figura (18, La Reparación de lo Corrompido, y
// su complementario con el Cielo), que no caben al lado de sus rótulos.
TEST_F(Imprimir, InformesEnPdfComoLosLeeriaAlguien) {
    const std::string pregunta = "\xBFMe conviene aceptar ya el traslado a la oficina del norte o "
                                 "esperar a que acabe el proyecto actual?";
    for (const auto& [letra, puntos, figura] :
         {std::tuple{"DejaVu Serif", 14.0, "967876"}, {"DejaVu Sans Mono", 24.0, "677889"}}) {
        SCOPED_TRACE(letra);
        consulta(figura);
        Pregunta = pregunta;
        FuenteTexto = {letra, puntos};
        documentos = QString::fromStdString((carpeta.ruta() / figura).string());
        fijarCarpetaDocumentos(documentos);
        desdeInterpretar([&] {
            f->OPCION[0]->setChecked(true);
            f->BTNMENU_Click(0);
        });
        comprobarPdfs(pregunta, figura, puntos == 14.0);
    }
}

// Cada palabra dentro de márgenes de 15 mm (el izquierdo y el derecho casi iguales) y sin
// pisar a otra, la cabecera una sola vez, la pregunta entera, el texto del hexagrama que
// toca y cada palabra partida por donde deja el español.
void Imprimir::comprobarPdfs(const std::string& pregunta, const std::string& figura,
                             bool proporcional) {
    const QStringList archivos = pdfs();
    ASSERT_EQ(archivos.size(), 2);
    constexpr double kMm = 72 / 25.4;
    for (const QString& pdf : archivos) {
        SCOPED_TRACE(pdf.toStdString());
        const std::vector<Palabra> palabras = cajasPdf(pdf);
        ASSERT_GT(palabras.size(), 100u);
        double izquierda = kAnchoA4, derecha = 0;
        for (const Palabra& w : palabras) {
            EXPECT_TRUE(w.x0 >= 15 * kMm && w.x1 <= kAnchoA4 - 15 * kMm && w.y0 >= 15 * kMm &&
                        w.y1 <= kAltoA4 - 15 * kMm)
                << w.texto.toStdString() << " " << w.x0 << " " << w.x1 << " " << w.y0;
            izquierda = std::min(izquierda, w.x0);
            derecha = std::max(derecha, w.x1);
        }
        // Con letra proporcional el texto acaba a menos de 3 mm de donde el margen derecho
        // iguala al izquierdo; con la de ancho fijo, a 24 puntos, la línea crece de 5 en 5 mm.
        EXPECT_GE(kAnchoA4 - derecha, izquierda - 0.5);
        if (proporcional) {
            EXPECT_LE(kAnchoA4 - derecha, izquierda + 3 * kMm);
        }
        for (const Palabra& a : palabras) // ningún texto pisa a otro
            for (const Palabra& b : palabras)
                EXPECT_TRUE(&a == &b || a.pagina != b.pagina || a.x1 <= b.x0 + 0.5 ||
                            b.x1 <= a.x0 + 0.5 || a.y1 <= b.y0 + 0.5 || b.y1 <= a.y0 + 0.5)
                    << a.texto.toStdString() << " / " << b.texto.toStdString();
        const QString texto = textoPdf(pdf);
        EXPECT_TRUE(seguido(texto).contains(seguido(textoQt(pregunta))));
        EXPECT_EQ(texto.count("CONSULTA:"), 1);
        const bool principal =
            pdf.endsWith(QStringLiteral("hexagrama %1.pdf").arg(figura == "967876" ? 63 : 18));
        EXPECT_TRUE(texto.contains(principal ? "HEXAGRAMA PRINCIPAL" : "HEXAGRAMA COMPLEMENTARIO"));
        if (figura == "967876" && !principal) {
            for (const char* buscado : {"57-Sun", "DECISION", "IMAGEN", "Sun, El Viento"})
                EXPECT_TRUE(texto.contains(buscado)) << buscado;
        }
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(texto.contains(QStringLiteral("LINEA %1\n").arg(k + 1)),
                      principal && (figura[k] == '6' || figura[k] == '9'))
                << k + 1;
        // El guion de una palabra partida llega al PDF (por dónde se parte lo comprueban
        // TextosReales con todos los textos).
        EXPECT_TRUE(std::any_of(palabras.begin(), palabras.end(), [](const Palabra& p) {
            return p.texto.size() >= 2 && p.texto.endsWith('-');
        }));
    }
}

// En una impresora que no alcanza los bordes, los márgenes nunca son menores que los suyos
// y el texto sigue a la misma distancia de los dos lados.
TEST_F(Imprimir, MargenesDentroDeLoQueAlcanzaLaImpresora) {
    ImpresoraQt impresora;
    const QMarginsF minimos(6, 12, 9, 25);
    impresora.impresora().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                    minimos, QPageLayout::Millimeter, minimos));
    impresora.prepararDocumento("margenes");
    const QMarginsF m = impresora.impresora().pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_TRUE(m.left() >= 6 && m.top() >= 12 && m.right() >= 9 && m.bottom() >= 25);
    constexpr double kMmPorTwip = 25.4 / 1440;
    EXPECT_NEAR(m.left() + kMargenIzquierdo * kMmPorTwip, m.right() + kReservaDerecha * kMmPorTwip,
                0.1);
}
