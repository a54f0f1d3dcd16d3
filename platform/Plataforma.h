#pragma once
// Servicios del sistema que usan las pantallas: bucle de eventos, twips, tamaño de la
// pantalla, pitido, azar, reloj y carpeta del programa. Cada uno que una prueba deba
// controlar tiene su punto de sustitución (las funciones fijar...).

#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QApplication;

namespace hexora {

// 15 twips por píxel lógico, como a 96 puntos por pulgada.
constexpr double kTwipsPorPixel = 15.0;
int twipsAPixeles(double twips);
double pixelesATwips(int pixeles);

// Deja que el bucle de eventos atienda n veces lo pendiente; con n < 1 vuelve sin más.
void Esperar(int n);

// Tamaño de la pantalla en twips. Las pruebas pueden fijar uno (0 vuelve al real).
double AnchoPantallaTwips();
double AltoPantallaTwips();
void fijarPantallaTwips(double ancho, double alto);

void Pitido();
void fijarPitido(std::function<void()> pitido);

// Números al azar uniformes en [0, 1); la semilla sale de la hora del día.
void SembrarAleatorio();
double Aleatorio();
void fijarAleatorio(std::function<double()> generador);

// Reloj monótono en segundos, para medir tiempos transcurridos.
double Reloj();
void fijarReloj(std::function<double()> reloj);

// Hace de la carpeta del programa la carpeta actual: la del ejecutable, o en un programa
// instalado la de sus datos (../share/hexora). En un programa instalado, o si la carpeta
// no admite escritura, el archivo de consultas y el temporal de impresión van a la
// carpeta de datos del usuario.
void prepararCarpetaPrograma();

struct CarpetasPrograma {
    QString datos;
    QString escritura; // vacía: la misma de los datos
};
CarpetasPrograma elegirCarpetas(const QString& carpetaEjecutable,
                                const std::function<bool(const QString&)>& admiteEscritura,
                                const QString& datosUsuario);
// Las pruebas hacen pasar otra carpeta por la del ejecutable (vacía: la real).
void fijarCarpetaEjecutable(const QString& carpeta);

// Carga las traducciones de Qt al español, para que sus botones y diálogos lo hablen.
void cargarTraducciones(QApplication& aplicacion);

// Engancha el bucle de eventos de Qt a los bucles largos de la lógica.
void conectarEventosLogica();

// Conversión entre el texto de la lógica (Windows-1252) y el de Qt.
QString textoQt(std::string_view cp1252);
// Los caracteres que Windows-1252 no tiene se cambian por "?" y se anota si los hubo.
std::string textoCp1252(const QString& texto, bool* completo = nullptr);

} // namespace hexora
