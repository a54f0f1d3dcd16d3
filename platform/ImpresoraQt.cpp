#include "ImpresoraQt.h"

#include "DialogosImpresion.h"
#include "FuentesImpresion.h"
#include "Plataforma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace hexora {

namespace {

struct Sustitutos {
    std::function<bool()> hayImpresora;
    QString carpetaDocumentos;
};

Sustitutos& sustitutos() {
    static Sustitutos s;
    return s;
}

bool hayImpresoraSistema() {
    if (sustitutos().hayImpresora)
        return sustitutos().hayImpresora();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QString carpetaDocumentos() {
    if (!sustitutos().carpetaDocumentos.isEmpty())
        return sustitutos().carpetaDocumentos;
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documentos.isEmpty() ? QDir::homePath() : documentos;
}

} // namespace

void fijarHayImpresoraSistema(std::function<bool()> consulta) {
    sustitutos().hayImpresora = std::move(consulta);
}

void fijarCarpetaDocumentos(const QString& carpeta) { sustitutos().carpetaDocumentos = carpeta; }

QString rutaSinPisar(const QString& ruta) {
    if (!QFileInfo::exists(ruta))
        return ruta;
    const QFileInfo info(ruta);
    const QString extension = info.suffix().isEmpty() ? QString() : "." + info.suffix();
    const QString base = info.dir().filePath(info.completeBaseName());
    for (int n = 2;; ++n) {
        const QString otra = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(extension);
        if (!QFileInfo::exists(otra))
            return otra;
    }
}

ImpresoraQt::ImpresoraQt() : impresora_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // Antes de que ningún informe fije otra, la letra por omisión del cuerpo.
    const Fuente inicial = fuentePorOmision();
    nombre_ = inicial.nombre;
    tamano_ = inicial.tamano;
    impresora_->setDocName(QStringLiteral("HEXORA"));
    fijarMargenes();
}

// Márgenes del papel, dentro de lo que la impresora alcanza a imprimir: el texto queda a la
// misma distancia de los dos bordes (a la derecha de la zona de dibujo se reservan 1000
// twips más que a la izquierda) y a 20 mm de arriba y de abajo.
void ImpresoraQt::fijarMargenes() {
    constexpr double kMmPorTwip = 25.4 / 1440.0;
    constexpr double kMargenTexto = 20;
    QPageLayout pagina = impresora_->pageLayout();
    pagina.setUnits(QPageLayout::Millimeter);
    const QMarginsF minimos = pagina.minimumMargins();
    const double derecha = std::max(0.0, minimos.right());
    const double izquierda =
        std::max(minimos.left(), derecha + (kReservaDerecha - kMargenIzquierdo) * kMmPorTwip);
    const double arriba = std::max(minimos.top(), kMargenTexto - kArribaPagina * kMmPorTwip);
    const double abajo = std::max(minimos.bottom(), kMargenTexto);
    pagina.setMargins(QMarginsF(izquierda, arriba, derecha, abajo));
    impresora_->setPageLayout(pagina);
}

ImpresoraQt::~ImpresoraQt() {
    // Un documento que quedara abierto sale tal como esté, para no dejar un PDF roto.
    if (pintor_)
        pintor_->end();
}

bool ImpresoraQt::configurar(QWidget* padre) {
    if (!DialogoImpresora(*impresora_, padre))
        return false;
    configurada_ = true;
    pdfElegido_ = impresora_->outputFormat() == QPrinter::PdfFormat ? impresora_->outputFileName()
                                                                    : QString();
    return true;
}

DestinoDocumento ImpresoraQt::prepararDocumento(const QString& nombre) {
    DestinoDocumento destino;
    if (configurada_ && pdfElegido_.isEmpty()) {
        fijarMargenes();
        return destino;
    }
    if (!configurada_ && hayImpresoraSistema()) {
        impresora_->setOutputFormat(QPrinter::NativeFormat);
        impresora_->setPrinterName(QPrinterInfo::defaultPrinterName());
        fijarMargenes();
        return destino;
    }
    if (configurada_) {
        destino.rutaPdf = rutaSinPisar(pdfElegido_);
    } else {
        destino.sinImpresora = true;
        destino.rutaPdf = rutaSinPisar(
            QDir(carpetaDocumentos())
                .filePath(QStringLiteral("HEXORA/") + nombre + QStringLiteral(".pdf")));
    }
    impresora_->setOutputFormat(QPrinter::PdfFormat);
    impresora_->setOutputFileName(destino.rutaPdf);
    fijarMargenes();
    return destino;
}

long ImpresoraQt::anchoPagina() {
    // En puntos por 20: el ancho exacto de la zona imprimible, sin redondear a pulgadas.
    return std::lround(impresora_->pageLayout().paintRect(QPageLayout::Point).width() * 20.0);
}

FalloImpresion ImpresoraQt::fallo(const QString& problema) const {
    if (impresora_->outputFormat() == QPrinter::PdfFormat)
        return FalloImpresion(kErrorAccesoArchivo, ("No se puede escribir el archivo \"" +
                                                    impresora_->outputFileName() + "\".")
                                                       .toStdString());
    const QString nombre = impresora_->printerName();
    return FalloImpresion(
        kErrorImpresora,
        (nombre.isEmpty() ? problema : problema + " (\"" + nombre + "\")").toStdString());
}

void ImpresoraQt::abrir() {
    if (pintor_)
        return;
    if (impresora_->outputFormat() == QPrinter::PdfFormat) {
        const QString carpeta = QFileInfo(impresora_->outputFileName()).absolutePath();
        QDir().mkpath(carpeta);
    }
    auto pintor = std::make_unique<QPainter>();
    if (!pintor->begin(impresora_.get()))
        throw fallo(QStringLiteral("La impresora no acepta el documento."));
    pintor_ = std::move(pintor);
    altoPagina_ = impresora_->pageLayout().paintRect(QPageLayout::Point).height() * 20.0;
}

double ImpresoraQt::aPixeles(double twips) const {
    return twips * impresora_->resolution() / 1440.0;
}

double ImpresoraQt::escribir(std::string_view texto) {
    abrir();
    const QFont letra = fuenteImpresion(nombre_, tamano_, negrita_, subrayado_);
    const QFontMetricsF metricas(letra, impresora_.get());
    const double ppp = impresora_->resolution();
    const double alto = metricas.lineSpacing() * 1440.0 / ppp;
    // Lo que no cabe al pie de la página empieza la siguiente, a la altura de la cabecera.
    if (y_ > kArribaPagina && y_ + alto > altoPagina_) {
        if (!impresora_->newPage())
            throw fallo(QStringLiteral("La impresora no puede pasar de página."));
        y_ = kArribaPagina;
    }
    const QString s = textoQt(texto);
    if (!s.isEmpty()) {
        pintor_->setFont(letra);
        pintor_->setPen(Qt::black);
        pintor_->drawText(QPointF(aPixeles(x_), aPixeles(y_) + metricas.ascent()), s);
        x_ += metricas.horizontalAdvance(s) * 1440.0 / ppp;
    }
    return alto;
}

double ImpresoraQt::anchoTexto(std::string_view texto) {
    const QFontMetricsF metricas(fuenteImpresion(nombre_, tamano_, negrita_, subrayado_),
                                 impresora_.get());
    return metricas.horizontalAdvance(textoQt(texto)) * 1440.0 / impresora_->resolution();
}

void ImpresoraQt::imprimir(std::string_view texto) { escribir(texto); }

void ImpresoraQt::imprimirLinea(std::string_view texto) {
    y_ += escribir(texto);
    x_ = 0;
}

void ImpresoraQt::rectanguloRelleno(double x1, double y1, double x2, double y2) {
    abrir();
    pintor_->fillRect(
        QRectF(QPointF(aPixeles(x1), aPixeles(y1)), QPointF(aPixeles(x2), aPixeles(y2)))
            .normalized(),
        Qt::black);
    x_ = x2;
    y_ = y2;
}

void ImpresoraQt::segmento(double x1, double y1, double x2, double y2) {
    abrir();
    // Un trazo de un píxel de pantalla (15 twips), que se vea también en papel.
    pintor_->setPen(QPen(Qt::black, aPixeles(kTwipsPorPixel)));
    pintor_->drawLine(QPointF(aPixeles(x1), aPixeles(y1)), QPointF(aPixeles(x2), aPixeles(y2)));
    x_ = x2;
    y_ = y2;
}

void ImpresoraQt::circulo(double cx, double cy, double radio) {
    abrir();
    pintor_->setPen(QPen(Qt::black, aPixeles(kTwipsPorPixel)));
    pintor_->setBrush(Qt::NoBrush);
    pintor_->drawEllipse(QPointF(aPixeles(cx), aPixeles(cy)), aPixeles(radio), aPixeles(radio));
    x_ = cx;
    y_ = cy;
}

void ImpresoraQt::cerrar() {
    pintor_.reset();
    x_ = 0;
    y_ = 0;
}

void ImpresoraQt::terminarDocumento() {
    if (!pintor_)
        return; // nada impreso, nada que enviar
    const bool bien = pintor_->end();
    cerrar();
    if (!bien || impresora_->printerState() == QPrinter::Error)
        throw fallo(QStringLiteral("La impresora no ha recibido el documento."));
}

void ImpresoraQt::cancelarDocumento() {
    if (!pintor_)
        return;
    impresora_->abort();
    pintor_->end();
    cerrar();
    // Un PDF a medias no sirve de nada: se quita.
    if (impresora_->outputFormat() == QPrinter::PdfFormat)
        QFile::remove(impresora_->outputFileName());
}

} // namespace hexora
