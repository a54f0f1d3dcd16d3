#include "Formulario.h"

#include "Mensajes.h"
#include "Plataforma.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <map>
#include <vector>

namespace hexora {

namespace {

struct Registro {
    // Al terminar el programa la aplicación Qt ya no existe: las ventanas que queden no
    // se pueden destruir sin ella, y el sistema recoge la memoria.
    ~Registro() {
        if (!QCoreApplication::instance())
            for (auto& [pantalla, formulario] : instancias)
                formulario.release();
    }
    std::map<Pantalla, FabricaFormulario> fabricas;
    std::map<Pantalla, std::unique_ptr<Formulario>> instancias;
    std::vector<QPointer<Formulario>> pilaModal;
    std::function<void(Formulario&)> mostrador;
    std::function<void()> activarPrincipal;
};

// Marco que el gestor de ventanas ha puesto a la ventana, preguntado al sistema cada vez:
// el que guarda el control puede ser de antes de que el gestor lo pusiera.
QMargins marcoVentana(const QWidget& w) {
    const QWindow* ventana = w.windowHandle();
    return ventana ? ventana->frameMargins() : QMargins();
}

Registro& registro() {
    static Registro r;
    return r;
}

void mostrarConQt(Formulario& f) {
    // La activación llega cuando la ventana ya está en pantalla, como en el sistema.
    QTimer::singleShot(0, &f, [&f] { f.Form_Activate(); });
    f.exec();
}

} // namespace

Formulario::Formulario(QWidget* padre) : QDialog(padre) {}

void Formulario::centrarform() {
    const QMargins marco = marcoVentana(*this);
    const QSize conMarco = size().grownBy(marco);
    const float izquierda = (static_cast<float>(AnchoPantallaTwips()) -
                             static_cast<float>(pixelesATwips(conMarco.width()))) /
                            2.0f;
    const float arriba = (static_cast<float>(AltoPantallaTwips()) -
                          static_cast<float>(pixelesATwips(conMarco.height()))) /
                         2.0f;
    move(twipsAPixeles(izquierda), twipsAPixeles(arriba));
    marcoAlCentrar_ = marco;
}

void Formulario::reject() {
    if (botonCancelar_ && botonCancelar_->isVisible() && botonCancelar_->isEnabled())
        botonCancelar_->click();
}

void Formulario::keyPressEvent(QKeyEvent* evento) {
    const bool intro = evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter;
    if (intro && evento->modifiers() == (evento->modifiers() & Qt::KeypadModifier)) {
        auto* boton = qobject_cast<QPushButton*>(focusWidget());
        if (boton && boton->isVisible() && boton->isEnabled()) {
            boton->click();
            return;
        }
    }
    QDialog::keyPressEvent(evento);
}

bool Formulario::event(QEvent* evento) {
    const bool r = QDialog::event(evento);
    const auto recentrarSiCambioElMarco = [this] {
        if (isVisible() && marcoVentana(*this) != marcoAlCentrar_)
            centrarform();
    };
    if (evento->type() == QEvent::Move || evento->type() == QEvent::Resize)
        recentrarSiCambioElMarco();
    // El gestor puede poner el marco sin mover la ventana después: se mira un rato.
    if (evento->type() == QEvent::Show) {
        for (int ms : {50, 200, 600})
            QTimer::singleShot(ms, this, recentrarSiCambioElMarco);
    }
    return r;
}

void Formulario::paintEvent(QPaintEvent* evento) {
    QDialog::paintEvent(evento);
    if (!contorno_)
        return;
    QPainter pintor(this);
    pintor.setPen(QColor(0x00, 0x40, 0x40));
    pintor.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Formulario::recentrarConRaton(std::initializer_list<QWidget*> controles) {
    for (QWidget* control : controles) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
        recentrables_.insert(control);
    }
}

bool Formulario::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseMove && recentrables_.contains(objeto))
        centrarform();
    return QDialog::eventFilter(objeto, evento);
}

QPushButton* crearBotonAux(QWidget* padre, const QString& pista) {
    auto* boton = new QPushButton(padre);
    boton->setAccessibleName(pista);
    boton->setToolTip(pista);
    boton->setFixedSize(81, 46);
    boton->setIconSize(QSize(75, 40));
    return boton;
}

void registrarPantalla(Pantalla pantalla, FabricaFormulario fabrica) {
    registro().fabricas[pantalla] = std::move(fabrica);
}

bool pantallaRegistrada(Pantalla pantalla) { return registro().fabricas.count(pantalla) > 0; }

void olvidarRegistroPantallas() {
    DescargarTodas();
    registro().fabricas.clear();
}

Formulario* Instancia(Pantalla pantalla) {
    const auto it = registro().instancias.find(pantalla);
    return it == registro().instancias.end() ? nullptr : it->second.get();
}

Formulario* Cargar(Pantalla pantalla) {
    if (Formulario* existente = Instancia(pantalla))
        return existente;
    const auto fabrica = registro().fabricas.find(pantalla);
    if (fabrica == registro().fabricas.end())
        return nullptr;
    auto nuevo = fabrica->second();
    nuevo->pantalla_ = pantalla;
    Formulario* f = nuevo.get();
    registro().instancias[pantalla] = std::move(nuevo);
    f->Form_Load();
    return f;
}

void Descargar(Pantalla pantalla) {
    const auto it = registro().instancias.find(pantalla);
    if (it == registro().instancias.end())
        return;
    Formulario* f = it->second.release();
    registro().instancias.erase(it);
    // Puede descargarse desde su propio manejador: se destruye al volver al bucle.
    f->hide();
    f->deleteLater();
}

void DescargarTodas() {
    while (!registro().instancias.empty())
        Descargar(registro().instancias.begin()->first);
}

void MostrarModal(Formulario& formulario) {
    auto& r = registro();
    r.pilaModal.emplace_back(&formulario);
    if (r.mostrador)
        r.mostrador(formulario);
    else
        mostrarConQt(formulario);
    r.pilaModal.pop_back();
    while (!r.pilaModal.empty() && r.pilaModal.back().isNull())
        r.pilaModal.pop_back();
    if (!r.pilaModal.empty())
        r.pilaModal.back()->Form_Activate();
    else if (r.activarPrincipal)
        r.activarPrincipal();
}

bool MostrarModal(Pantalla pantalla) {
    Formulario* f = Cargar(pantalla);
    if (!f) {
        MsgBox(QStringLiteral("Esta parte del programa todavía no está disponible."),
               BotonesMensaje::Aceptar, IconoMensaje::Informacion, kTituloInformacion);
        return false;
    }
    MostrarModal(*f);
    return true;
}

void fijarMostradorModal(std::function<void(Formulario&)> mostrador) {
    registro().mostrador = std::move(mostrador);
}

void fijarActivacionPrincipal(std::function<void()> activar) {
    registro().activarPrincipal = std::move(activar);
}

} // namespace hexora
