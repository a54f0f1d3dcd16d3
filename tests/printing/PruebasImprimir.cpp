// La pantalla de impresión con la impresora de Qt, que sin impresora escribe PDF, y lo
// impreso leído con pdftotext (poppler-utils) como lo leería alguien. 967876 es el
// hexagrama 63 y su complementario 877877, el 57 (Sun sobre Sun).

#include "PantallasConDatos.h"
#include "SilabasReferencia.h"
#include "core/EstadoConsulta.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/DialogosImpresion.h"
#include "platform/FuentesImpresion.h"
#include "platform/ImpresoraQt.h"
#include "platform/Plataforma.h"
#include "printing/FRMImprimir.h"
#include "printing/Maquetacion.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

#include <deque>
#include <fstream>
#include <map>

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
struct PaginasPdf {
    double ancho = 0, alto = 0;
    std::vector<Palabra> palabras;
    const Palabra& primera(const QString& texto) const {
        static const Palabra ninguna{0, -1e9, -1e9, -1e9, -1e9, {}};
        for (const Palabra& w : palabras)
            if (w.texto == texto)
                return w;
        return ninguna;
    }
};
PaginasPdf cajasPdf(const QString& pdf) {
    PaginasPdf r;
    int pagina = 0;
    static const QRegularExpression hoja(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression palabra(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    for (const QString& l :
         poppler("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"}).split('\n')) {
        if (const auto m = hoja.match(l); m.hasMatch()) {
            ++pagina;
            r.ancho = m.captured(1).toDouble();
            r.alto = m.captured(2).toDouble();
        } else if (const auto w = palabra.match(l); w.hasMatch()) {
            r.palabras.push_back({pagina, w.captured(1).toDouble(), w.captured(2).toDouble(),
                                  w.captured(3).toDouble(), w.captured(4).toDouble(),
                                  w.captured(5)});
        }
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

// Acepta o cancela el primer diálogo del tipo T que aparezca, tras dejar que el guion lo
// mire.
template <class T> void alAparecer(QTimer& t, std::function<void(T*)> guion) {
    QObject::connect(&t, &QTimer::timeout, [guion] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<T*>(w); d && d->isVisible())
                guion(d);
    });
    t.start(20);
}

} // namespace

// Sin líneas mutantes solo se ofrece el hexagrama actual. Con ellas, la vista previa enseña
// desde la primera vez lo que imprimirá la opción elegida, con las proporciones del papel,
// la pantalla no cambia de tamaño con ningún hexagrama y, sin elegir, se imprime el
// hexagrama que se ve en la interpretación. Solo con el teclado: el tabulador lleva a la
// opción de los dos hexagramas, la flecha la elige e Intro imprime; el Intro del teclado
// numérico abre la letra, que sirve al cuerpo y a los rótulos y, cancelada, no cambia.
TEST_F(Imprimir, VistaPreviaTecladoYLetra) {
    consulta("787878");
    desdeInterpretar([&] {
        EXPECT_FALSE(f->OPCION[0]->isEnabled());
        EXPECT_TRUE(f->OPCION[1]->isChecked() && f->PANIMPRIMIENDO->isHidden());
        activar(*f);
        tecla(*f, Qt::Key_Escape);
        EXPECT_FALSE(f->isVisible());
    });
    consulta("967876");
    interpretar->BTNMENU_Click(0); // se ve el complementario
    desdeInterpretar([&] {
        activar(*f);
        const QSize tamano = f->size();
        EXPECT_EQ(vista(), "877877 HEXAGRAMA COMPLEMENTARIO");
        f->OPCION[0]->click();
        EXPECT_EQ(vista(), "967876 HEXAGRAMA PRINCIPAL");
        f->OPCION[1]->click();
        EXPECT_EQ(vista(), "877877 HEXAGRAMA COMPLEMENTARIO");
        // Una barra es quince veces más larga que alta, con lo que el círculo sobresale.
        const QSizeF linea = f->glinea[0]->pixmap().deviceIndependentSize();
        EXPECT_NEAR(linea.width() / linea.height(), 1500.0 / 140.0, 0.01);
        for (int n = 0; n < 64; ++n) {
            std::string lineas;
            for (int k = 0; k < 6; ++k)
                lineas += (n >> k) & 1 ? '9' : '6';
            f->Actualiza(lineas);
            QApplication::processEvents();
            EXPECT_EQ(f->size(), tamano) << lineas;
        }
        // Un valor que no es una línea conserva la imagen de la anterior.
        f->Actualiza("9 7867");
        EXPECT_EQ(f->glinea[1]->pixmap().cacheKey(), f->glinea[0]->pixmap().cacheKey());
        EXPECT_EQ(f->TXTHEXAGRAMA[0]->text(), "-");
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
    EXPECT_EQ(FuenteTexto.nombre + " " + std::to_string(FuenteTexto.tamano),
              "Liberation Sans 14.000000");
    const QStringList principal = pdfs().filter("hexagrama 63.pdf");
    ASSERT_EQ(principal.size(), 1);
    const QString usadas = poppler("pdffonts", {principal[0]});
    EXPECT_TRUE(usadas.contains("LiberationSans-Bold") &&
                usadas.contains(QRegularExpression("LiberationSans\\s")))
        << usadas.toStdString();
}

// Una carpeta de documentos que no se puede crear, o una figura sin texto (de un archivo de
// consultas dañado), que no se imprime con el texto de la consulta anterior: un aviso y
// ningún documento. El diálogo de impresora de Qt dice "Aceptar" (solo elige, no imprime);
// un PDF elegido en él no se pisa nunca; un fallo del diálogo se dice con su número, y la
// cancelación, no.
TEST_F(Imprimir, FallosYImpresoraElegida) {
    consulta("967876");
    const std::string archivo = (carpeta.ruta() / "soy-un-archivo").string();
    std::ofstream(archivo) << "x";
    fijarCarpetaDocumentos(QString::fromStdString(archivo));
    desdeInterpretar([&] { f->BTNMENU_Click(0); });
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("ERROR 75 (SUB IMPRIMIR)\n"));
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(QString::fromStdString(archivo)));
    EXPECT_EQ(entorno.mensajes[0].titulo, "ATENCION...");
    fijarCarpetaDocumentos(documentos);
    consulta("123459");
    entorno.mensajes.clear();
    desdeInterpretar([this] { f->BTNMENU_Click(0); });
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto,
              "El archivo \"hexagr.chi\" no contiene la figura \"123459\".");
    EXPECT_TRUE(pdfs().isEmpty());
    consulta("967876");
    QStringList botones;
    QTimer temporizador;
    alAparecer<QPrintDialog>(temporizador, [&](QPrintDialog* d) {
        for (auto* b : d->findChild<QDialogButtonBox*>()->buttons())
            botones << b->text();
        d->reject();
    });
    f->BTNMENU_Click(1);
    temporizador.stop();
    EXPECT_TRUE(botones.contains("Aceptar") && !botones.join(' ').contains("Imprimir"))
        << botones.join(", ").toStdString();
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
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("La consulta se ha guardado en PDF en"));
    entorno.mensajes.clear();
    fijarDialogoImpresora([](QPrinter&) -> bool { throw FalloImpresion(kErrorImpresora, "x"); });
    f->BTNMENU_Click(1);
    fijarDialogoImpresora([](QPrinter&) { return false; });
    f->BTNMENU_Click(1);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("ERROR: 482"));
    EXPECT_EQ(entorno.mensajes[0].titulo, "Error en módulo de FRMImprimir(SUB CONFIGURAR)");
    EXPECT_TRUE(f->PANFONDO->isEnabled());
}

// El diálogo de letras de Qt, aceptado sin tocar nada, devuelve la letra normal (la normal
// de DejaVu se llama "Book" y, pedida solo por su familia, volvería en cursiva).
TEST(DialogoFuentes, LaLetraNormalSigueNormal) {
    const Fuente dejavu{"DejaVu Serif", 11};
    QTimer temporizador;
    alAparecer<QFontDialog>(temporizador, [](QFontDialog* d) { d->accept(); });
    const auto elegida = DialogoFuentes(fuenteParaDialogo(dejavu), nullptr);
    ASSERT_TRUE(elegida.has_value());
    EXPECT_TRUE(!elegida->italic() && elegida->weight() == QFont::Normal);
    const Fuente guardada = fuenteElegida(*elegida, dejavu);
    EXPECT_EQ(guardada.nombre + " " + std::to_string(guardada.tamano), "DejaVu Serif 11.000000");
    const QFontInfo impresa(fuenteImpresion(guardada.nombre, guardada.tamano, false, false));
    EXPECT_TRUE(!impresa.italic() && impresa.family() == "DejaVu Serif");
}

// Los dos hexagramas a 14 puntos con una pregunta de 100 caracteres, y a 24 en una letra de
// ancho fijo con los nombres más largos de la figura (18, La Reparación de lo Corrompido, y
// su complementario con el Cielo), que no caben al lado de sus rótulos.
TEST_F(Imprimir, InformesEnPdfComoLosLeeriaAlguien) {
    const std::string pregunta = "\xBFMe conviene aceptar ya el traslado a la oficina del norte o "
                                 "esperar a que acabe el proyecto actual?";
    ASSERT_EQ(pregunta.size(), 100u);
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
        EXPECT_TRUE(f->OPCION[1]->isChecked());
        EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
    }
}

// Cada palabra dentro de márgenes de 15 mm (el izquierdo y el derecho casi iguales), las
// páginas siguientes a la altura de la primera, la cabecera solo en la primera, la pregunta
// entera y sangrada bajo su comienzo, los rótulos de los trigramas a la derecha de la
// figura, cada uno junto a su trigrama, y cada palabra partida por donde deja el español.
void Imprimir::comprobarPdfs(const std::string& pregunta, const std::string& figura,
                             bool proporcional) {
    static const SilabasReferencia espanol;
    const QStringList archivos = pdfs();
    ASSERT_EQ(archivos.size(), 2);
    constexpr double kMm = 72 / 25.4;
    for (const QString& pdf : archivos) {
        SCOPED_TRACE(pdf.toStdString());
        const PaginasPdf hojas = cajasPdf(pdf);
        ASSERT_GT(hojas.palabras.size(), 100u);
        double izquierda = hojas.ancho, derecha = 0;
        std::map<int, double> arriba;
        for (const Palabra& w : hojas.palabras) {
            EXPECT_TRUE(w.x0 >= 15 * kMm && w.x1 <= hojas.ancho - 15 * kMm && w.y0 >= 15 * kMm &&
                        w.y1 <= hojas.alto - 15 * kMm)
                << w.texto.toStdString() << " " << w.x0 << " " << w.x1 << " " << w.y0;
            izquierda = std::min(izquierda, w.x0);
            derecha = std::max(derecha, w.x1);
            arriba.try_emplace(w.pagina, w.y0);
            arriba[w.pagina] = std::min(arriba[w.pagina], w.y0);
        }
        // Con letra proporcional el texto acaba a menos de 3 mm de donde el margen derecho
        // iguala al izquierdo; con la de ancho fijo, a 24 puntos, la línea crece de 5 en 5 mm.
        EXPECT_GE(hojas.ancho - derecha, izquierda - 0.5);
        if (proporcional) {
            EXPECT_LE(hojas.ancho - derecha, izquierda + 3 * kMm);
        }
        ASSERT_GE(arriba.size(), 2u);
        for (const auto& [pagina, y] : arriba)
            EXPECT_NEAR(y, arriba[1], 1.5) << "página " << pagina;
        const auto consulta = std::find_if(hojas.palabras.begin(), hojas.palabras.end(),
                                           [](const Palabra& w) { return w.texto == "CONSULTA:"; });
        ASSERT_TRUE(consulta != hojas.palabras.end() && consulta + 1 != hojas.palabras.end());
        const auto sigue = std::find_if(consulta, hojas.palabras.end(),
                                        [&](const Palabra& w) { return w.y0 > consulta->y1 - 1; });
        ASSERT_TRUE(sigue != hojas.palabras.end());
        EXPECT_NEAR(sigue->x0, (consulta + 1)->x0, 0.5) << sigue->texto.toStdString();
        // Los rótulos, 2.000 twips (100 puntos) a la derecha del texto, cada uno donde acaba
        // de dibujarse la línea de arriba de su trigrama (el de abajo, de 650 a 850 twips
        // más abajo, o más si el nombre de arriba no cabe en su renglón).
        const Palabra& superior = hojas.primera("Superior:");
        const double entreRotulos = hojas.primera("Inferior:").y0 - superior.y0;
        EXPECT_NEAR(hojas.primera("Trigrama").x0 - consulta->x0, 100, 1);
        EXPECT_GE(entreRotulos, 32);
        for (const Palabra& a : hojas.palabras) // ningún texto pisa a otro
            for (const Palabra& b : hojas.palabras)
                EXPECT_TRUE(&a == &b || a.pagina != b.pagina || a.x1 <= b.x0 + 0.5 ||
                            b.x1 <= a.x0 + 0.5 || a.y1 <= b.y0 + 0.5 || b.y1 <= a.y0 + 0.5)
                    << a.texto.toStdString() << " / " << b.texto.toStdString();
        if (proporcional) {
            EXPECT_LE(entreRotulos, 43);
        }
        const QString texto = textoPdf(pdf);
        EXPECT_TRUE(seguido(texto).contains(seguido(textoQt(pregunta))));
        EXPECT_EQ(texto.count("CONSULTA:"), 1);
        const bool principal =
            pdf.endsWith(QStringLiteral("hexagrama %1.pdf").arg(figura == "967876" ? 63 : 18));
        EXPECT_TRUE(texto.contains(principal ? "HEXAGRAMA PRINCIPAL" : "HEXAGRAMA COMPLEMENTARIO"));
        if (figura == "967876" && !principal) {
            for (const char* buscado : {"57-Sun", "DECISION", "COMENTARIO", "IMAGEN",
                                        "Trigrama Superior:", "Sun, El Viento"})
                EXPECT_TRUE(texto.contains(buscado)) << buscado;
            EXPECT_TRUE(seguido(texto).contains(
                QString::fromUtf8("El viento que penetra logra éxito en lo pequeño.")));
        }
        for (std::size_t k = 0; k < 6; ++k)
            EXPECT_EQ(texto.contains(QStringLiteral("LINEA %1\n").arg(k + 1)),
                      principal && (figura[k] == '6' || figura[k] == '9'))
                << k + 1;
        // pdftotext vuelve a unir las palabras partidas: un trozo acabado en guion sigue en
        // la palabra siguiente.
        int partidas = 0;
        QStringList malos;
        const auto& w = hojas.palabras;
        for (std::size_t i = 0; i + 1 < w.size(); ++i) {
            if (w[i].texto.size() < 2 || !w[i].texto.endsWith('-'))
                continue;
            ++partidas;
            const QString antes = w[i].texto.chopped(1);
            if (!espanol.permite(antes + w[i + 1].texto, static_cast<int>(antes.size())))
                malos << antes + "-" + w[i + 1].texto;
        }
        EXPECT_EQ(malos, QStringList());
        EXPECT_GT(partidas, 0);
    }
}

// En una impresora que no alcanza los bordes, los márgenes nunca son menores que los suyos
// y el texto sigue a la misma distancia de los dos lados.
TEST_F(Imprimir, MargenesDentroDeLoQueAlcanzaLaImpresora) {
    ImpresoraQt impresora;
    constexpr double kMmPorTwip = 25.4 / 1440;
    for (const QMarginsF minimos : {QMarginsF(0, 0, 0, 0), QMarginsF(6, 12, 9, 25)}) {
        impresora.impresora().setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                                        QPageLayout::Portrait, minimos,
                                                        QPageLayout::Millimeter, minimos));
        impresora.prepararDocumento("margenes");
        const QMarginsF m = impresora.impresora().pageLayout().margins(QPageLayout::Millimeter);
        EXPECT_TRUE(m.left() >= minimos.left() && m.top() >= minimos.top() &&
                    m.right() >= minimos.right() && m.bottom() >= 20);
        const double textoIzquierda = m.left() + kMargenIzquierdo * kMmPorTwip;
        EXPECT_NEAR(textoIzquierda, m.right() + kReservaDerecha * kMmPorTwip, 0.1);
        EXPECT_GE(textoIzquierda, 15);
        EXPECT_NEAR(m.top() + kArribaPagina * kMmPorTwip, std::max(20.0, minimos.top() + 1.76),
                    0.01);
        // Qt redondea la zona de dibujo a puntos enteros.
        EXPECT_NEAR(impresora.anchoPagina(), (210 - m.left() - m.right()) / kMmPorTwip, 40);
    }
    impresora.cancelarDocumento();
}
