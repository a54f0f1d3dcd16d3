#pragma once
// Lo que la maquetación y el informe piden a la plataforma: la letra, una superficie de
// medida, donde se "imprime" cada carácter para saber hasta dónde llega la pluma, y la
// impresora. Todas las posiciones van en twips desde la esquina superior izquierda de la
// zona de dibujo; los textos, en Windows-1252; los nombres de letra, en UTF-8 (vienen del
// sistema y no se imprimen).

#include <stdexcept>
#include <string>
#include <string_view>

namespace hexora {

// Números de error con que la impresora y los archivos del informe avisan de un fallo.
constexpr int kErrorImpresora = 482;      // la impresora no responde
constexpr int kErrorAccesoArchivo = 75;   // no se puede crear o escribir un archivo
constexpr int kErrorArchivoNoExiste = 53; // no se encuentra un archivo para leerlo
constexpr int kErrorInterno = 51;         // cualquier otro fallo

// Fallo de una operación de impresión: el número elige el mensaje y el texto (UTF-8) dice al
// usuario qué ha pasado y con qué archivo o impresora.
class FalloImpresion : public std::runtime_error {
public:
    FalloImpresion(int numero, const std::string& detalle)
        : std::runtime_error(detalle), numero_(numero) {}
    int numero() const { return numero_; }

private:
    int numero_;
};

// Letra del cuerpo del informe: nombre (UTF-8) y tamaño en puntos.
struct Fuente {
    std::string nombre;
    double tamano = 11;
};

class SuperficieMedida {
public:
    virtual ~SuperficieMedida() = default;
    virtual void Cls() = 0; // pluma a x 0
    virtual void fijarX(double x) = 0;
    virtual double x() const = 0;
    virtual void fijarNombreFuente(const std::string& nombre) = 0;
    virtual void fijarTamanoFuente(double puntos) = 0;
    virtual void fijarNegrita(bool negrita) = 0;
    virtual void fijarSubrayado(bool subrayado) = 0;
    // Avanza la pluma lo que ocupa el texto, sin saltar de línea nunca.
    virtual void imprimir(std::string_view texto) = 0;
};

// Medidas del texto en la página, en twips desde la esquina de la zona de dibujo: x de cada
// línea, lo que queda libre a la derecha del límite de las líneas y la altura de la primera
// línea de cada página (la de la cabecera y la de las páginas siguientes).
constexpr double kMargenIzquierdo = 500;
constexpr double kReservaDerecha = 1500;
constexpr double kArribaPagina = 100;

// Impresora: un documento se abre con lo primero que se imprime o dibuja y se cierra al
// terminarlo o cancelarlo. Un texto que no cabe al pie de la página pasa él solo a la
// siguiente, a la altura kArribaPagina. Cualquier operación puede lanzar FalloImpresion.
class SuperficieImpresora {
public:
    virtual ~SuperficieImpresora() = default;
    virtual long anchoPagina() = 0;
    virtual void fijarNombreFuente(const std::string& nombre) = 0;
    virtual void fijarTamanoFuente(double puntos) = 0;
    virtual void fijarNegrita(bool negrita) = 0;
    virtual void fijarSubrayado(bool subrayado) = 0;
    virtual void fijarPosicion(double x, double y) = 0;
    virtual void fijarX(double x) = 0;
    virtual double y() const = 0;
    // Lo que avanzaría la pluma al imprimir el texto con la letra de ahora.
    virtual double anchoTexto(std::string_view texto) = 0;
    // Imprime y se queda en la línea: la pluma avanza lo que ocupa el texto.
    virtual void imprimir(std::string_view texto) = 0;
    // Imprime y termina la línea: la siguiente empieza una altura de línea más abajo, en x 0.
    virtual void imprimirLinea(std::string_view texto) = 0;
    // Tras cada dibujo la pluma queda donde acaba el trazo (el círculo, en su centro).
    virtual void rectanguloRelleno(double x1, double y1, double x2, double y2) = 0;
    virtual void segmento(double x1, double y1, double x2, double y2) = 0;
    virtual void circulo(double cx, double cy, double radio) = 0;
    virtual void terminarDocumento() = 0;
    virtual void cancelarDocumento() = 0;
};

} // namespace hexora
