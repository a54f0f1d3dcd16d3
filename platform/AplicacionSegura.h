#pragma once
// La aplicación Qt de HEXORA. Una excepción que escapara de un manejador de eventos
// terminaría el programa de golpe (y con él lo que el usuario tuviera a medias): aquí se
// recoge, se muestra como error y la aplicación sigue.

#include <QApplication>

namespace hexora {

class AplicacionSegura : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receptor, QEvent* evento) override;
};

} // namespace hexora
