#pragma once
// Menú principal: hace todo el arranque, ocupa la pantalla entera y lanza cada acción
// con una pantalla modal a la vez.

#include "Progreso.h"
#include "platform/Formulario.h"

#include <QWidget>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace hexora {

class FRMPRINCIPAL : public QWidget {
    Q_OBJECT
public:
    static inline const std::array<QString, 8> kAyudas = {
        QStringLiteral("Realizar una CONSULTA"),
        QStringLiteral("Crear Hexagrama MANUALMENTE"),
        QStringLiteral("Seleccionar uno de los 64 HEXAGRAMAS"),
        QStringLiteral("Recuperar ULTIMA CONSULTA Realizada"),
        QStringLiteral("Recuperar CONSULTA ALMACENADA EN DISCO"),
        QStringLiteral("AYUDA"),
        QStringLiteral("Finalizar HEXORA"),
        QStringLiteral("Datos del programador"),
    };

    // otraCopiaEnMarcha dice si ya corre otra copia del programa.
    explicit FRMPRINCIPAL(std::function<bool()> otraCopiaEnMarcha);

    // El arranque completo. Devuelve false si el programa debe terminar ya, con el código
    // de salida de codigoSalida().
    bool Form_Load();
    int codigoSalida() const { return codigoSalida_; }
    // El arranque tal como lo hace el programa: la carga y, si sigue, el menú a pantalla
    // completa y activado, también cada vez que se cierra una pantalla modal. Devuelve lo
    // mismo que Form_Load.
    bool arrancar();

    void Form_Activate();
    void centrarform();
    void BTNMENU_Click(int Index);
    void BTNMENU_MouseMove(int Index);
    void Image1_MouseMove();
    // Confirmación de salida; devuelve true si el cierre sigue adelante.
    bool Form_QueryUnload();

    void RealizarConsulta();
    void CrearManualmente();
    void SeleccionarHexagrama();
    void VerUltimaConsulta();
    void RecuperarConsulta();
    void MostrarAyuda();
    void DatosProgramador();
    void AvanzarProgreso();

    QLabel* Image1;
    QFrame* FrameMENU1;
    QFrame* FrameMENU2;
    std::array<QPushButton*, 8> BTNMENU;
    QLabel* Panmsg;

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void disponerMenu();
    // Muestra una pantalla modal; si aún no existe en el programa, lo dice y la acción
    // se da por cancelada.
    void mostrar(Pantalla pantalla);
    // Final común de la construcción manual y de la lista de los 64.
    void interpretarYGuardar();

    std::function<bool()> otraCopiaEnMarcha_;
    Progreso progreso_;
    int codigoSalida_ = 0;
    bool enAccion_ = false;
};

} // namespace hexora
