#pragma once
// Arranque común de las pruebas de pantallas con los datos de verdad: una copia de los
// archivos del programa en una carpeta propia, que hace de carpeta del ejecutable, las
// tablas cargadas, todas las pantallas registradas, temporizadores que solo vencen a mano y
// un reloj de prueba.

#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "TemporizadorManual.h"

#include <gtest/gtest.h>

class QWidget;
namespace hexora {
class FRMTirada;
}

class PantallasConDatos : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // La pantalla tal como la muestra el menú: visible y recién activada.
    template <class T = hexora::Formulario> T& abrir(hexora::Pantalla p) {
        T& f = *hexora::CargarComo<T>(p);
        f.show();
        f.Form_Activate();
        return f;
    }
    // Tira, deja girar tics pasos y para; el reloj avanza 11 ms por repaso hasta la línea.
    void echarLinea(hexora::FRMTirada& f, int tics = 0);
    // La ventana a la vista y activa, para que el teclado vaya a donde esté su foco.
    static void activar(QWidget& ventana);
    // Una tecla en el control que tiene el foco de la ventana.
    static void tecla(QWidget& ventana, int codigo, Qt::KeyboardModifiers mod = Qt::NoModifier);
    // Tabulador (o mayúsculas y tabulador) hasta llegar al control; false si no se llega.
    static bool tabularHasta(QWidget& ventana, QWidget* control, bool atras = false);
    CarpetaTemporal carpeta;
    EntornoPantallas entorno;
    double reloj = 0;
};
