// La vara de medir del arranque: una aplicación Qt que solo enseña un QDialog vacío.

#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    QDialog dialogo;
    dialogo.resize(320, 200);
    dialogo.show();
    return QApplication::exec();
}
