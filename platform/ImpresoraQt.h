#pragma once
// La impresora del programa sobre QPrinter y QPainter. Dura toda la sesión, como la
// impresora elegida y la letra que cada informe le deja puesta. Si nadie ha elegido
// impresora y el sistema no tiene ninguna, cada documento va a un PDF nuevo en la carpeta
// "HEXORA" de los documentos del usuario.

#include "core/Superficies.h"

#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace hexora {

// Adónde va el siguiente documento: un PDF (con su ruta) o la impresora.
struct DestinoDocumento {
    QString rutaPdf;           // vacía: a la impresora
    bool sinImpresora = false; // PDF porque el sistema no tiene impresora
};

class ImpresoraQt : public SuperficieImpresora {
public:
    ImpresoraQt();
    ~ImpresoraQt() override;
    ImpresoraQt(const ImpresoraQt&) = delete;
    ImpresoraQt& operator=(const ImpresoraQt&) = delete;

    QPrinter& impresora() { return *impresora_; }

    // Diálogo de impresora; lo elegido vale para el resto de la sesión. Devuelve false si
    // el usuario cancela. Lanza FalloImpresion si no se puede configurar.
    bool configurar(QWidget* padre);

    // Prepara el destino del documento siguiente; nombre es el del PDF sin extensión. Un
    // PDF nunca pisa un archivo que ya exista.
    DestinoDocumento prepararDocumento(const QString& nombre);

    long anchoPagina() override;
    void fijarNombreFuente(const std::string& nombre) override { nombre_ = nombre; }
    void fijarTamanoFuente(double puntos) override { tamano_ = puntos; }
    void fijarNegrita(bool negrita) override { negrita_ = negrita; }
    void fijarSubrayado(bool subrayado) override { subrayado_ = subrayado; }
    void fijarPosicion(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    void fijarX(double x) override { x_ = x; }
    double x() const { return x_; }
    double y() const override { return y_; }
    double anchoTexto(std::string_view texto) override;
    void imprimir(std::string_view texto) override;
    void imprimirLinea(std::string_view texto) override;
    void rectanguloRelleno(double x1, double y1, double x2, double y2) override;
    void segmento(double x1, double y1, double x2, double y2) override;
    void circulo(double cx, double cy, double radio) override;
    void terminarDocumento() override;
    void cancelarDocumento() override;

private:
    void fijarMargenes();
    void abrir();
    double aPixeles(double twips) const;
    // Imprime el texto donde está la pluma y devuelve la altura de la línea, en twips.
    double escribir(std::string_view texto);
    FalloImpresion fallo(const QString& problema) const;
    void cerrar();

    std::unique_ptr<QPrinter> impresora_;
    std::unique_ptr<QPainter> pintor_; // con un documento abierto
    bool configurada_ = false;         // el usuario eligió en el diálogo
    QString pdfElegido_;               // el archivo que eligió, si eligió un PDF
    double altoPagina_ = 0;
    double x_ = 0;
    double y_ = 0;
    std::string nombre_;
    double tamano_;
    bool negrita_ = false;
    bool subrayado_ = false;
};

// Puntos de sustitución para las pruebas: si el sistema tiene impresora (vacío: la
// consulta a Qt) y la carpeta de documentos del usuario (vacía: la del sistema).
void fijarHayImpresoraSistema(std::function<bool()> consulta);
void fijarCarpetaDocumentos(const QString& carpeta);

// La ruta misma si está libre; si no, con " (2)", " (3)"... antes de la extensión.
QString rutaSinPisar(const QString& ruta);

} // namespace hexora
