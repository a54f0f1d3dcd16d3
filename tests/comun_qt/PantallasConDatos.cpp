#include "PantallasConDatos.h"

#include "casting/FRMTirada.h"
#include "core/Tablas.h"
#include "platform/Plataforma.h"
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace hexora;

void PantallasConDatos::SetUp() {
    for (const char* nombre : {"trigr.chi", "hexagr.chi", "BINARIO.dat"})
        std::filesystem::copy_file(std::filesystem::path(HEXORA_CARPETA_PROGRAMA) / nombre,
                                   carpeta.ruta() / nombre);
    fijarCarpetaEjecutable(QString::fromStdString(carpeta.ruta().string()));
    CargarTablas();
    registrarPantallas();
    fijarFabricaTemporizadores([] { return std::make_unique<TemporizadorManual>(); });
    fijarReloj([this] { return reloj; });
}

void PantallasConDatos::TearDown() {
    DescargarTodas();
    fijarFabricaTemporizadores({});
    fijarReloj({});
}

void PantallasConDatos::echarLinea(FRMTirada& f, int tics) {
    f.BTNTIRAR->click();
    for (int i = 0; i < tics; ++i)
        disparar(*f.Timer1);
    f.BTNTIRAR->click();
    const auto antes = f.tirada().lineas().size();
    for (int tic = 0; tic < 5000 && f.tirada().lineas().size() == antes; ++tic) {
        reloj += 0.011;
        disparar(*f.TimerParada);
    }
}

void PantallasConDatos::activar(QWidget& ventana) {
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    QApplication::processEvents();
}

void PantallasConDatos::tecla(QWidget& ventana, int codigo, Qt::KeyboardModifiers mod) {
    QTest::keyClick(ventana.focusWidget(), static_cast<Qt::Key>(codigo), mod);
}

bool PantallasConDatos::tabularHasta(QWidget& ventana, QWidget* control, bool atras) {
    for (int i = 0; i < 40 && ventana.focusWidget() != control; ++i)
        tecla(ventana, atras ? Qt::Key_Backtab : Qt::Key_Tab);
    return ventana.focusWidget() == control;
}
