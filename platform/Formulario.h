#pragma once
// Base de las pantallas del programa: cada una existe una sola vez, se crea en su primer
// uso (con su manejador de carga) y se activa cada vez que se muestra y cada vez que se
// cierra una pantalla modal que ella abrió.

#include <QDialog>
#include <QMargins>
#include <QSet>

#include <functional>
#include <initializer_list>
#include <memory>

class QAbstractButton;
class QPushButton;

namespace hexora {

enum class Pantalla {
    FRM256,
    FRMInicio,
    FRMTirada,
    FRMIntroducir,
    FRM64HEXAGRAMAS,
    frmconsulta,
    FRMInterpretar,
    FRMRecuperar,
    FRMGrabar,
    FRMImprimir,
};

class Formulario : public QDialog {
    Q_OBJECT
public:
    explicit Formulario(QWidget* padre = nullptr);

    virtual void Form_Load() {}
    virtual void Form_Activate() {}

    // Centra la ventana en la pantalla: (pantalla - ventana) / 2 en twips, con decimales;
    // una ventana mayor que la pantalla queda con coordenadas negativas.
    void centrarform();

    // Pantalla a la que pertenece el formulario (la fija el registro al crearlo).
    Pantalla pantalla() const { return pantalla_; }

protected:
    // Escape y el cierre de la ventana equivalen al botón de cancelar, si lo hay.
    void reject() override;
    // Intro y el Intro del teclado numérico pulsan el botón que tiene el foco, también el
    // que no es botón por omisión; en otro control, el botón por omisión del diálogo.
    void keyPressEvent(QKeyEvent* evento) override;
    // El gestor de ventanas añade el marco después de mostrarla: con su medida ya
    // conocida, la ventana se vuelve a centrar.
    bool event(QEvent* evento) override;
    void fijarBotonCancelar(QAbstractButton* boton) { botonCancelar_ = boton; }

    // Contorno de carga en el color &H404000 (azul 40, verde 40, rojo 0).
    void fijarContorno(bool dibujar) { contorno_ = dibujar; }
    void paintEvent(QPaintEvent* evento) override;

    // Vuelve a centrar la ventana cada vez que el ratón se mueve sobre estos controles.
    void recentrarConRaton(std::initializer_list<QWidget*> controles);
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    friend Formulario* Cargar(Pantalla);
    Pantalla pantalla_ = Pantalla::FRM256;
    QAbstractButton* botonCancelar_ = nullptr;
    bool contorno_ = false;
    QSet<QObject*> recentrables_;
    QMargins marcoAlCentrar_; // marco que se conocía al centrar la última vez
};

// Botón de imagen de los diálogos (BTNAUX): con su pista como nombre accesible y sitio
// para una imagen de 75 x 40.
QPushButton* crearBotonAux(QWidget* padre, const QString& pista);

using FabricaFormulario = std::function<std::unique_ptr<Formulario>()>;

// Cada pantalla se registra con la función que la crea; el menú solo muestra las que hay.
void registrarPantalla(Pantalla pantalla, FabricaFormulario fabrica);
bool pantallaRegistrada(Pantalla pantalla);
void olvidarRegistroPantallas(); // para las pruebas

// La instancia única de la pantalla, creada y cargada si hace falta; nullptr si no está
// registrada.
Formulario* Cargar(Pantalla pantalla);
Formulario* Instancia(Pantalla pantalla); // sin crearla
template <class T> T* CargarComo(Pantalla pantalla) { return dynamic_cast<T*>(Cargar(pantalla)); }

// Oculta y destruye la instancia; la próxima vez se crea de nuevo.
void Descargar(Pantalla pantalla);
void DescargarTodas();

// Muestra la pantalla de forma modal y vuelve cuando se oculta o se descarga; después
// activa de nuevo la pantalla que la abrió (o la ventana principal).
void MostrarModal(Formulario& formulario);

// Muestra de forma modal la pantalla registrada. Si el programa aún no la tiene, lo dice
// al usuario y devuelve false.
bool MostrarModal(Pantalla pantalla);

// Sustituye la forma de mostrar (por omisión, el bucle modal de Qt tras activarla). Las
// pruebas la cambian por un guion que actúa sobre la pantalla y vuelve.
void fijarMostradorModal(std::function<void(Formulario&)> mostrador);

// La ventana principal, que se activa al cerrarse la última pantalla modal.
void fijarActivacionPrincipal(std::function<void()> activar);

} // namespace hexora
