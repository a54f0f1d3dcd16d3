#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
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
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QDir>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

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

// ¿Está cada guion de fin de línea en un punto donde se puede partir? Devuelve los que no.
QStringList guionesIndebidos(const QString& texto) {
    static const QStringList pares = {"rr", "ll", "ch", "cl", "cr", "qu",
                                      "gr", "br", "bl", "pr", "ah"};
    const auto vocal = [](QChar c) { return QStringLiteral("aeiouáéíóú").contains(c.toLower()); };
    const auto puntuacion = [](QChar c) { return QStringLiteral(".,;").contains(c); };
    QStringList malos;
    // Un salto de página deja una línea vacía y un avance de página entre los dos trozos.
    QStringList lineas = texto.split('\n');
    lineas.removeAll(QString());
    for (QString& l : lineas)
        l.remove(QChar('\f'));
    for (int i = 0; i + 1 < lineas.size(); ++i) {
        const QString& l = lineas[i];
        if (!l.endsWith('-') || l.size() < 2)
            continue;
        const QString s = lineas[i + 1].trimmed();
        const QChar c = l[l.size() - 2];
        const bool bien = s.size() >= 2 && !puntuacion(c) && !puntuacion(s[0]) && !vocal(s[0]) &&
                          vocal(s[1]) && !pares.contains(QString(c) + s[0], Qt::CaseInsensitive);
        if (!bien)
            malos << l + " | " + s;
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
    // El cuerpo entero, y solo partido donde se puede.
    EXPECT_TRUE(seguido(texto).contains(seguido(textoQt(decision))));
    EXPECT_EQ(guionesIndebidos(texto), QStringList());
}

TEST_F(Imprimir, PrincipalYComplementarioSonDosDocumentos) {
    consulta("967876"); // líneas 1, 2 y 6 mutantes
    const auto dos = [&] {
        desdeInterpretar([&] {
            f->OPCION[0]->setChecked(true);
            f->BTNMENU_Click(0);
        });
    };
    dos();
    QStringList archivos = pdfs();
    ASSERT_EQ(archivos.size(), 2);
    const QString principal = textoPdf(archivos.filter(QStringLiteral("hexagrama 63"))[0]);
    const QString complementario = textoPdf(archivos.filter(QStringLiteral("hexagrama 57"))[0]);
    EXPECT_EQ(principal.count(QRegularExpression("HEXAGRAMA PRINCIPAL|LINEA [126]\n")), 4);
    EXPECT_FALSE(principal.contains("LINEA 3"));
    EXPECT_TRUE(complementario.contains("HEXAGRAMA COMPLEMENTARIO"));
    EXPECT_FALSE(complementario.contains("LINEA"));
    EXPECT_EQ(guionesIndebidos(principal + complementario), QStringList());
    // El cuerpo pasa de página; la cabecera sale solo en la primera.
    EXPECT_EQ(principal.count("CONSULTA:"), 1);
    EXPECT_GE(principal.count('\f'), 2);
    EXPECT_TRUE(f->OPCION[1]->isChecked());
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");

    // Otra vez: dos archivos nuevos, sin pisar los anteriores.
    dos();
    archivos = pdfs();
    EXPECT_EQ(archivos.size(), 4);
    EXPECT_EQ(archivos.filter(" (2).pdf").size(), 2);
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "inter.tmp"));
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

    // El ancho sale de los puntos de la página, sin redondear a pulgadas: A4 sin márgenes
    // mide 595 puntos.
    impresora.impresora().setPageSize(QPageSize(QPageSize::A4));
    impresora.impresora().setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    EXPECT_EQ(impresora.anchoPagina(), 595 * 20);

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
