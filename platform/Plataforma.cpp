#include "Plataforma.h"

#include "core/CarpetaPrograma.h"
#include "core/Cp1252.h"
#include "core/Eventos.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QScreen>
#include <QStandardPaths>
#include <QTime>
#include <QTranslator>

#include <cmath>
#include <random>

namespace hexora {

int twipsAPixeles(double twips) { return static_cast<int>(std::lround(twips / kTwipsPorPixel)); }

double pixelesATwips(int pixeles) { return pixeles * kTwipsPorPixel; }

void Esperar(int n) {
    for (int i = 0; i < n; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {

struct Sustitutos {
    double anchoPantalla = 0;
    double altoPantalla = 0;
    std::function<void()> pitido;
    std::function<double()> aleatorio;
    std::function<double()> reloj;
    QString carpetaEjecutable;
};

Sustitutos& sustitutos() {
    static Sustitutos s;
    return s;
}

QSize tamanoPantalla() {
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    return pantalla ? pantalla->geometry().size() : QSize(640, 480);
}

std::mt19937& generador() {
    static std::mt19937 g;
    return g;
}

} // namespace

double AnchoPantallaTwips() {
    const double fijado = sustitutos().anchoPantalla;
    return fijado > 0 ? fijado : pixelesATwips(tamanoPantalla().width());
}

double AltoPantallaTwips() {
    const double fijado = sustitutos().altoPantalla;
    return fijado > 0 ? fijado : pixelesATwips(tamanoPantalla().height());
}

void fijarPantallaTwips(double ancho, double alto) {
    sustitutos().anchoPantalla = ancho;
    sustitutos().altoPantalla = alto;
}

void Pitido() {
    if (sustitutos().pitido)
        sustitutos().pitido();
    else
        QApplication::beep();
}

void fijarPitido(std::function<void()> pitido) { sustitutos().pitido = std::move(pitido); }

void SembrarAleatorio() {
    generador().seed(
        static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
}

double Aleatorio() {
    if (sustitutos().aleatorio)
        return sustitutos().aleatorio();
    return std::uniform_real_distribution<double>(0.0, 1.0)(generador());
}

void fijarAleatorio(std::function<double()> g) { sustitutos().aleatorio = std::move(g); }

double Reloj() {
    if (sustitutos().reloj)
        return sustitutos().reloj();
    static QElapsedTimer cronometro;
    if (!cronometro.isValid())
        cronometro.start();
    return static_cast<double>(cronometro.nsecsElapsed()) / 1e9;
}

void fijarReloj(std::function<double()> reloj) { sustitutos().reloj = std::move(reloj); }

void fijarCarpetaEjecutable(const QString& carpeta) { sustitutos().carpetaEjecutable = carpeta; }

CarpetasPrograma elegirCarpetas(const QString& carpetaEjecutable,
                                const std::function<bool(const QString&)>& admiteEscritura,
                                const QString& datosUsuario) {
    CarpetasPrograma c{carpetaEjecutable, {}};
    const QString instalados =
        QDir::cleanPath(carpetaEjecutable + QStringLiteral("/../share/hexora"));
    // Los datos instalados (share/hexora) son del paquete: ni root escribe allí, o sus
    // consultas se quedarían al desinstalar y las pisaría otra instalación.
    if (!QFileInfo::exists(carpetaEjecutable + QStringLiteral("/hexagr.chi")) &&
        QFileInfo::exists(instalados + QStringLiteral("/hexagr.chi"))) {
        c.datos = instalados;
        c.escritura = datosUsuario;
    } else if (!admiteEscritura(c.datos)) {
        c.escritura = datosUsuario;
    }
    return c;
}

void prepararCarpetaPrograma() {
    const QString ejecutable = sustitutos().carpetaEjecutable.isEmpty()
                                   ? QCoreApplication::applicationDirPath()
                                   : sustitutos().carpetaEjecutable;
    const auto carpetas = elegirCarpetas(
        ejecutable, [](const QString& carpeta) { return QFileInfo(carpeta).isWritable(); },
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QDir::setCurrent(carpetas.datos);
    fijarCarpetaPrograma(carpetas.datos.toStdString());
    if (!carpetas.escritura.isEmpty())
        QDir().mkpath(carpetas.escritura);
    fijarCarpetaEscritura(carpetas.escritura.toStdString());
}

void cargarTraducciones(QApplication& aplicacion) {
    const QString ruta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* nombre : {"qtbase_es", "qt_es"}) {
        auto* traductor = new QTranslator(&aplicacion);
        if (traductor->load(nombre, ruta))
            QCoreApplication::installTranslator(traductor);
        else
            delete traductor;
    }
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

void conectarEventosLogica() {
    fijarProcesadorEventos([] { QCoreApplication::processEvents(QEventLoop::AllEvents); });
}

QString textoQt(std::string_view cp1252) {
    QString s;
    s.reserve(static_cast<qsizetype>(cp1252.size()));
    for (char c : cp1252)
        s += QChar(static_cast<char16_t>(cp1252AUnicode(static_cast<unsigned char>(c))));
    return s;
}

std::string textoCp1252(const QString& texto, bool* completo) {
    const auto conversion = utf8ACp1252(texto.toStdString());
    if (completo)
        *completo = conversion.completa();
    return conversion.texto;
}

} // namespace hexora
