#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "SilabasReferencia.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/DialogosImpresion.h"
#include "platform/FuentesImpresion.h"
#include "platform/ImpresoraQt.h"
#include "platform/MedidaQt.h"
#include "platform/Plataforma.h"
#include "printing/FRMImprimir.h"
#include "printing/Maquetacion.h"
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <tuple>

using namespace hexora;

namespace {

// Salida de una herramienta de poppler-utils (pdftotext, pdffonts) sobre un PDF.
QString poppler(const QString& programa, const QString& pdf) {
    QProcess p;
    p.start(programa,
            programa == "pdftotext" ? QStringList{"-enc", "UTF-8", pdf, "-"} : QStringList{pdf});
    EXPECT_TRUE(p.waitForFinished(20000) && p.exitCode() == 0) << programa.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
QString textoPdf(const QString& pdf) { return poppler("pdftotext", pdf); }

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
};
PaginasPdf cajasPdf(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", "-enc", "UTF-8", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(20000) && p.exitCode() == 0);
    PaginasPdf r;
    int pagina = 0;
    static const QRegularExpression hoja(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression palabra(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
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

// Los cortes de palabra a final de línea que la silabación española no deja; cuenta en
// partidas los que hay. Un trozo que acaba en guion sigue en la palabra siguiente.
QStringList cortesIndebidos(const PaginasPdf& hojas, int& partidas) {
    static const SilabasReferencia espanol;
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
    return malos;
}

class Imprimir : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* nombre : {"trigr.chi", "hexagr.chi", "BINARIO.dat"})
            std::filesystem::copy_file(std::filesystem::path(HEXORA_CARPETA_PROGRAMA) / nombre,
                                       carpeta.ruta() / nombre);
        CargarTablas();
        registrarPantallas();
        documentos = QString::fromStdString((carpeta.ruta() / "Documentos").string());
        fijarCarpetaDocumentos(documentos);
        fijarHayImpresoraSistema([] { return false; });
        FuenteTexto = {};
        interpretar = CargarComo<FRMInterpretar>(Pantalla::FRMInterpretar);
        f = CargarComo<FRMImprimir>(Pantalla::FRMImprimir);
        ASSERT_TRUE(interpretar && f);
    }

    void TearDown() override {
        fijarCarpetaDocumentos({});
        fijarHayImpresoraSistema({});
        fijarDialogoFuentes({});
        fijarDialogoImpresora({});
    }

    void consulta(const std::string& figura) {
        Pregunta = "\xBFQu\xE9 conviene hacer?";
        Hexagrama = figura;
        CalcularComplementario();
        Resultado = "NO";
        interpretar->Form_Activate();
    }

    // Pulsa "Imprimir Consulta" en la interpretación y, en la pantalla de impresión, hace
    // lo que diga el guion.
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

    // Lo que debe cumplir todo informe en PDF (ver InformesEnPdfComoLosLeeriaAlguien).
    void comprobarPdfs(const QStringList& archivos, const std::string& pregunta,
                       const std::string& figura, bool proporcional);

    EntornoPantallas entorno;
    CarpetaTemporal carpeta;
    QString documentos;
    FRMInterpretar* interpretar = nullptr;
    FRMImprimir* f = nullptr;
};

} // namespace

TEST_F(Imprimir, OpcionesTecladoYNombres) {
    consulta("787878"); // sin líneas mutantes: solo el hexagrama actual
    bool visto = false;
    desdeInterpretar([&] {
        visto = true;
        EXPECT_FALSE(f->OPCION[0]->isEnabled());
        EXPECT_TRUE(f->OPCION[1]->isChecked());
        EXPECT_TRUE(f->PANIMPRIMIENDO->isHidden());
        f->show();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(f, &escape);
        EXPECT_FALSE(f->isVisible());
    });
    EXPECT_TRUE(visto);
    EXPECT_EQ(f->BTNMENU[3]->accessibleName(), "Cancelar");

    consulta("967876");
    desdeInterpretar([&] { EXPECT_TRUE(f->OPCION[0]->isEnabled()); });

    // Un valor que no es una línea conserva la imagen de la anterior y va a su etiqueta.
    f->Actualiza("9 7867");
    EXPECT_EQ(f->glinea[1]->property("Tag").toString(), " ");
    EXPECT_EQ(f->glinea[1]->pixmap().cacheKey(), f->glinea[0]->pixmap().cacheKey());
    EXPECT_EQ(f->TXTHEXAGRAMA[0]->text(), "-");
}

TEST_F(Imprimir, ElHexagramaQueSeVeAPdf) {
    consulta("967876");
    interpretar->BTNMENU_Click(0); // se ve el complementario
    const std::string decision = ExtraerSeccion("D").texto;
    desdeInterpretar([&] { f->BTNMENU_Click(0); });

    const QStringList archivos = pdfs();
    ASSERT_EQ(archivos.size(), 1);
    EXPECT_TRUE(
        archivos[0].contains(QStringLiteral("hexagrama %1").arg(NumeroHexagrama("877877"))));
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].titulo, "Información al usuario");
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(archivos[0]));
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "inter.tmp"));

    const QString texto = textoPdf(archivos[0]);
    const auto& fila = TablaHexagramas[NumeroHexagrama("877877")];
    for (const QString& buscado :
         {QStringLiteral("CONSULTA: ¿Qué conviene hacer?"),
          QStringLiteral("HEXAGRAMA COMPLEMENTARIO"),
          textoQt(recortar(fila[1])) + "-" + textoQt(recortar(fila[4])), QStringLiteral("DECISION"),
          QStringLiteral("COMENTARIO"), QStringLiteral("IMAGEN"),
          QStringLiteral("Trigrama Superior:"), textoQt(NombreTrigrama("877"))})
        EXPECT_TRUE(texto.contains(buscado)) << buscado.toStdString();
    EXPECT_FALSE(texto.contains("LINEA"));
    EXPECT_TRUE(seguido(texto).contains(seguido(textoQt(decision))));
}

TEST_F(Imprimir, ConfigurarLetraEImpresora) {
    consulta("967876");
    // La letra elegida sirve al cuerpo y a los rótulos de los trigramas.
    fijarDialogoFuentes([](const QFont&) { return QFont("Liberation Sans", 14); });
    f->BTNMENU_Click(2);
    EXPECT_EQ(std::tie(FuenteTexto.nombre, FuenteTexto.tamano),
              std::make_tuple("Liberation Sans", 14.0));
    fijarDialogoFuentes([](const QFont&) { return std::nullopt; }); // cancelar no cambia nada
    f->BTNMENU_Click(2);
    EXPECT_EQ(FuenteTexto.nombre, "Liberation Sans");

    // Un PDF elegido en el diálogo de impresora; cada impresión, un archivo nuevo.
    const QString elegido = documentos + "/elegido.pdf";
    fijarDialogoImpresora([&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(elegido);
        return true;
    });
    f->BTNMENU_Click(1);
    desdeInterpretar([&] { f->BTNMENU_Click(0); });
    desdeInterpretar([&] { f->BTNMENU_Click(0); });
    EXPECT_TRUE(QFileInfo::exists(elegido));
    EXPECT_TRUE(QFileInfo::exists(documentos + "/elegido (2).pdf"));
    EXPECT_TRUE(pdfs().isEmpty());
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("La consulta se ha guardado en PDF en"));
    const QString letras = poppler("pdffonts", elegido);
    EXPECT_TRUE(letras.contains("LiberationSans-Bold")) << letras.toStdString();
    EXPECT_TRUE(letras.contains(QRegularExpression("LiberationSans\\s"))) << letras.toStdString();

    // Un fallo del diálogo se dice con su número; la cancelación, no.
    entorno.mensajes.clear();
    fijarDialogoImpresora([](QPrinter&) -> bool { throw FalloImpresion(kErrorImpresora, "x"); });
    f->BTNMENU_Click(1);
    fijarDialogoImpresora([](QPrinter&) { return false; });
    f->BTNMENU_Click(1);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("ERROR: 482"));
    EXPECT_EQ(entorno.mensajes[0].titulo, "Error en módulo de FRMImprimir(SUB CONFIGURAR)");
    EXPECT_EQ(entorno.mensajes[0].icono, IconoMensaje::Exclamacion);
    EXPECT_TRUE(f->PANFONDO->isEnabled());
}

TEST_F(Imprimir, UnPdfQueNoSePuedeEscribir) {
    consulta("967876");
    const std::string archivo = (carpeta.ruta() / "soy-un-archivo").string();
    std::ofstream(archivo) << "x";
    fijarCarpetaDocumentos(QString::fromStdString(archivo));
    desdeInterpretar([&] { f->BTNMENU_Click(0); });
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("ERROR 75 (SUB IMPRIMIR)\n"));
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(QString::fromStdString(archivo)));
    EXPECT_EQ(entorno.mensajes[0].titulo, "ATENCION...");
    EXPECT_TRUE(entorno.mensajes[0].icono == IconoMensaje::Critico &&
                entorno.mensajes[0].botones == BotonesMensaje::Aceptar);
    EXPECT_TRUE(pdfs().isEmpty());
}

TEST(ImpresoraQt, LaMedidaCoincideConLoImpreso) {
    CarpetaTemporal carpeta;
    ImpresoraQt impresora;
    fijarHayImpresoraSistema([] { return false; });
    fijarCarpetaDocumentos(QString::fromStdString(carpeta.ruta().string()));
    impresora.prepararDocumento("medida");
    fijarCarpetaDocumentos({});
    fijarHayImpresoraSistema({});

    // Con pares de interletraje y posibles ligaduras, la suma de los caracteres medidos uno
    // a uno es lo que avanza la línea impresa.
    MedidaQt medida(impresora.impresora());
    const std::string texto = "AVATAR Wa To. Tv fi ffl Yo, T\xF3mbola \xC1vila";
    for (const char* familia : {"DejaVu Serif", "Liberation Serif", "Liberation Sans"}) {
        for (bool negrita : {false, true}) {
            medida.fijarNombreFuente(familia);
            medida.fijarTamanoFuente(11);
            medida.fijarNegrita(negrita);
            medida.Cls();
            medida.fijarX(500);
            for (char c : texto)
                medida.imprimir(std::string_view(&c, 1));
            impresora.fijarNombreFuente(familia);
            impresora.fijarTamanoFuente(11);
            impresora.fijarNegrita(negrita);
            impresora.fijarPosicion(500, 1000);
            impresora.imprimir(texto);
            EXPECT_NEAR(medida.x(), impresora.x(), 0.5) << familia << negrita;
            EXPECT_GT(medida.x(), 3000) << familia;
        }
    }
    impresora.cancelarDocumento();
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "HEXORA" / "medida.pdf"));
}

TEST(DialogoFuentes, LaLetraNormalSigueNormal) {
    const Fuente dejavu{"DejaVu Serif", 11};
    // Acepta el diálogo de Qt en cuanto aparece, sin tocar nada.
    QTimer temporizador;
    QObject::connect(&temporizador, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QFontDialog*>(w); d && d->isVisible())
                d->accept();
    });
    temporizador.start(20);
    const auto elegida = DialogoFuentes(fuenteParaDialogo(dejavu), nullptr);
    ASSERT_TRUE(elegida.has_value());
    EXPECT_TRUE(!elegida->italic() && elegida->weight() == QFont::Normal);
    const Fuente guardada = fuenteElegida(*elegida, dejavu);
    EXPECT_EQ(std::tie(guardada.nombre, guardada.tamano), std::make_tuple("DejaVu Serif", 11.0));
    const QFontInfo impresa(fuenteImpresion(guardada.nombre, guardada.tamano, false, false));
    EXPECT_TRUE(!impresa.italic() && impresa.family() == "DejaVu Serif");
}

// Una figura sin texto (de un archivo de consultas dañado) no se imprime con el texto que
// quedó en el buffer de la consulta anterior: se avisa y no sale ningún documento.
TEST_F(Imprimir, FiguraSinTextoNoSeImprimeConElDeOtra) {
    consulta("967876");
    consulta("123459");
    entorno.mensajes.clear();
    desdeInterpretar([this] { f->BTNMENU_Click(0); }); // el hexagrama que se ve
    EXPECT_TRUE(pdfs().isEmpty());
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto,
              "El archivo \"hexagr.chi\" no contiene la figura \"123459\".");
}

// Imprimir solo con el teclado: el tabulador lleva a la opción de los dos hexagramas, el
// espacio la elige e Intro imprime; el Intro del teclado numérico abre la letra.
TEST_F(Imprimir, TecladoTabuladorEspacioEIntro) {
    consulta("967876");
    bool letraPedida = false;
    fijarDialogoFuentes([&](const QFont&) {
        letraPedida = true;
        return std::nullopt;
    });
    const auto tabularHasta = [this](QWidget* w, bool atras) {
        for (int i = 0; i < 12 && f->focusWidget() != w; ++i)
            QTest::keyClick(f->focusWidget(), atras ? Qt::Key_Backtab : Qt::Key_Tab);
        return f->focusWidget() == w;
    };
    desdeInterpretar([&] {
        f->show();
        // Las flechas se mueven por las opciones solo en la ventana activa.
        QApplication::setActiveWindow(f);
        ASSERT_EQ(f->focusWidget(), f->BTNMENU[0]);
        ASSERT_TRUE(tabularHasta(f->BTNMENU[2], true));
        QTest::keyClick(f->focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_TRUE(letraPedida);
        ASSERT_TRUE(tabularHasta(f->OPCION[1], true));
        QTest::keyClick(f->focusWidget(), Qt::Key_Up);
        EXPECT_TRUE(f->OPCION[0]->isChecked());
        ASSERT_TRUE(tabularHasta(f->BTNMENU[0], false));
        QTest::keyClick(f->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(pdfs().size(), 2);
    EXPECT_FALSE(f->isVisible());
}

// Un informe a 14 puntos con una pregunta de 100 caracteres, como lo leería alguien: cada
// palabra dentro de márgenes de 15 mm (izquierdo y derecho casi iguales), las páginas
// siguientes a la altura de la primera, la pregunta entera y sangrada bajo su comienzo, y
// cada palabra partida por donde deja el español. El segundo documento hereda la letra del
// cuerpo también en la cabecera. Lo mismo a 24 puntos en una letra de ancho fijo, con los
// nombres más largos de la figura (18, La Reparación de lo Corrompido, y su complementario
// con el Cielo), que no caben al lado de sus rótulos.
TEST_F(Imprimir, InformesEnPdfComoLosLeeriaAlguien) {
    const std::string pregunta = "\xBFMe conviene aceptar ya el traslado a la oficina del norte o "
                                 "esperar a que acabe el proyecto actual?";
    ASSERT_EQ(pregunta.size(), 100u);
    const std::vector<std::tuple<std::string, double, std::string>> casos = {
        {"DejaVu Serif", 14, "967876"}, {"DejaVu Sans Mono", 24, "677889"}};
    for (const auto& [letra, puntos, figura] : casos) {
        SCOPED_TRACE(letra + " " + figura);
        consulta(figura);
        Pregunta = pregunta;
        FuenteTexto = {letra, puntos};
        documentos = QString::fromStdString((carpeta.ruta() / figura).string());
        fijarCarpetaDocumentos(documentos);
        desdeInterpretar([&] {
            f->OPCION[0]->setChecked(true);
            f->BTNMENU_Click(0);
        });
        comprobarPdfs(pdfs(), pregunta, figura, letra == "DejaVu Serif");
        EXPECT_TRUE(f->OPCION[1]->isChecked());
        EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
        EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "inter.tmp"));
    }
}

void Imprimir::comprobarPdfs(const QStringList& archivos, const std::string& pregunta,
                             const std::string& figura, bool proporcional) {
    ASSERT_EQ(archivos.size(), 2);
    constexpr double kMm = 72 / 25.4;
    for (const QString& pdf : archivos) {
        SCOPED_TRACE(pdf.toStdString());
        const PaginasPdf hojas = cajasPdf(pdf);
        ASSERT_GT(hojas.palabras.size(), 100u);
        double izquierda = hojas.ancho;
        double derecha = 0;
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
        // El texto acaba donde el margen derecho iguala al izquierdo, o poco antes: con
        // letra proporcional a menos de 3 mm; con la de ancho fijo, a 24 puntos, la línea
        // crece de 5 en 5 mm.
        EXPECT_GE(hojas.ancho - derecha, izquierda - 0.5);
        if (proporcional) {
            EXPECT_LE(hojas.ancho - derecha, izquierda + 3 * kMm);
        }
        ASSERT_GE(arriba.size(), 2u);
        for (const auto& [pagina, y] : arriba)
            EXPECT_NEAR(y, arriba[1], 1.5) << "página " << pagina;

        // La pregunta: el segundo renglón empieza donde empezó el primero.
        const auto consulta = std::find_if(hojas.palabras.begin(), hojas.palabras.end(),
                                           [](const Palabra& w) { return w.texto == "CONSULTA:"; });
        ASSERT_TRUE(consulta != hojas.palabras.end() && consulta + 1 != hojas.palabras.end());
        const Palabra& primera = *(consulta + 1);
        const auto siguiente = std::find_if(consulta, hojas.palabras.end(), [&](const Palabra& w) {
            return w.y0 > consulta->y1 - 1;
        });
        ASSERT_TRUE(siguiente != hojas.palabras.end());
        EXPECT_NEAR(siguiente->x0, primera.x0, 0.5) << siguiente->texto.toStdString();

        // pdftotext vuelve a unir las palabras partidas. La cabecera sale solo en la primera
        // página; el principal trae las secciones de sus líneas mutantes y el
        // complementario, ninguna.
        const QString texto = textoPdf(pdf);
        EXPECT_TRUE(seguido(texto).contains(seguido(textoQt(pregunta))));
        EXPECT_EQ(texto.count("CONSULTA:"), 1);
        const bool principal =
            pdf.endsWith(QStringLiteral("hexagrama %1.pdf").arg(NumeroHexagrama(figura)));
        EXPECT_TRUE(texto.contains(principal ? "HEXAGRAMA PRINCIPAL" : "HEXAGRAMA COMPLEMENTARIO"));
        for (std::size_t k = 0; k < 6; ++k) {
            const bool mutante = figura[k] == '6' || figura[k] == '9';
            EXPECT_EQ(texto.contains(QStringLiteral("LINEA %1\n").arg(k + 1)), principal && mutante)
                << k + 1;
        }
        int partidas = 0;
        EXPECT_EQ(cortesIndebidos(hojas, partidas), QStringList());
        EXPECT_GT(partidas, 0);
    }
}

// La vista previa enseña desde la primera vez lo que imprimirá la opción elegida, con las
// proporciones del papel, y la pantalla no cambia de tamaño con ningún hexagrama.
TEST_F(Imprimir, VistaPreviaDeLoQueSeImprimira) {
    consulta("967876");
    interpretar->BTNMENU_Click(0); // se ve el complementario
    const auto figura = [this] {
        std::string s;
        for (auto* l : f->glinea)
            s += textoCp1252(l->property("Tag").toString());
        return s;
    };
    QSize tamano;
    desdeInterpretar([&] {
        f->show();
        QApplication::processEvents();
        tamano = f->size();
        EXPECT_EQ(figura(), Complementario.valor());
        EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
        f->OPCION[0]->click();
        EXPECT_EQ(figura(), Hexagrama.valor());
        EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
        f->OPCION[1]->click();
        EXPECT_EQ(figura(), Complementario.valor());
        // Una barra es quince veces más larga que alta, con lo que el círculo sobresale.
        const QSizeF linea = f->glinea[0]->pixmap().deviceIndependentSize();
        EXPECT_NEAR(linea.width() / linea.height(), 1500.0 / 140.0, 0.01);
        f->BTNMENU_Click(0);
    });
    EXPECT_EQ(pdfs().size(), 1);
    desdeInterpretar([&] {
        f->show();
        QApplication::processEvents();
        EXPECT_EQ(f->size(), tamano);
        for (int n = 0; n < 64; ++n) {
            std::string lineas;
            for (int k = 0; k < 6; ++k)
                lineas += (n >> k) & 1 ? '9' : '6';
            f->Actualiza(lineas);
            QApplication::processEvents();
            EXPECT_EQ(f->size(), tamano) << lineas;
        }
        f->hide();
    });
}

// "Configurar IMPRESORA" solo elige impresora: su botón dice "Aceptar", no "Imprimir".
TEST_F(Imprimir, ElDialogoDeImpresoraNoDiceImprimir) {
    fijarDialogoImpresora({});
    QStringList botones;
    QTimer temporizador;
    QObject::connect(&temporizador, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* d = qobject_cast<QPrintDialog*>(w);
            if (!d || !d->isVisible())
                continue;
            for (auto* b : d->findChild<QDialogButtonBox*>()->buttons())
                botones << b->text();
            d->reject();
        }
    });
    temporizador.start(20);
    f->BTNMENU_Click(1);
    EXPECT_TRUE(botones.contains("Aceptar")) << botones.join(", ").toStdString();
    for (const QString& b : botones)
        EXPECT_FALSE(b.contains("Imprimir", Qt::CaseInsensitive)) << b.toStdString();
    EXPECT_TRUE(entorno.mensajes.empty());
}

// En una impresora que no alcanza los bordes, los márgenes nunca son menores que los
// suyos, y el texto sigue a la misma distancia de los dos lados.
TEST(ImpresoraQt, MargenesDentroDeLoQueAlcanzaLaImpresora) {
    CarpetaTemporal carpeta;
    fijarHayImpresoraSistema([] { return false; });
    fijarCarpetaDocumentos(QString::fromStdString(carpeta.ruta().string()));
    ImpresoraQt impresora;
    for (const QMarginsF minimos : {QMarginsF(0, 0, 0, 0), QMarginsF(6, 12, 9, 25)}) {
        QPageLayout pagina(QPageSize(QPageSize::A4), QPageLayout::Portrait, minimos,
                           QPageLayout::Millimeter, minimos);
        impresora.impresora().setPageLayout(pagina);
        impresora.prepararDocumento("margenes");
        const QPageLayout puesta = impresora.impresora().pageLayout();
        const QMarginsF m = puesta.margins(QPageLayout::Millimeter);
        EXPECT_TRUE(m.left() >= minimos.left() && m.top() >= minimos.top() &&
                    m.right() >= minimos.right() && m.bottom() >= minimos.bottom());
        constexpr double kMmPorTwip = 25.4 / 1440;
        const double textoIzquierda = m.left() + kMargenIzquierdo * kMmPorTwip;
        const double textoDerecha = m.right() + kReservaDerecha * kMmPorTwip;
        EXPECT_NEAR(textoIzquierda, textoDerecha, 0.1);
        EXPECT_GE(textoIzquierda, 15);
        EXPECT_NEAR(m.top() + kArribaPagina * kMmPorTwip, std::max(20.0, minimos.top() + 1.76),
                    0.01);
        EXPECT_GE(m.bottom(), 20);
        // Qt redondea la zona de dibujo a puntos enteros.
        EXPECT_NEAR(impresora.anchoPagina(), (210 - m.left() - m.right()) / kMmPorTwip, 40);
    }
    fijarCarpetaDocumentos({});
    fijarHayImpresoraSistema({});
}
