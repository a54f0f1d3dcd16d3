#pragma once
// Comprueba si otra copia del programa del mismo usuario está en marcha. Usa un archivo
// de bloqueo con el número del proceso: el de una copia que murió sin soltarlo se
// reconoce como abandonado y no impide arrancar.

#include <QString>

#include <memory>

class QLockFile;

namespace hexora {

class InstanciaUnica {
public:
    // Sin ruta, el bloqueo va en la carpeta de ejecución del usuario.
    explicit InstanciaUnica(QString rutaBloqueo = {});
    ~InstanciaUnica();

    // Intenta quedarse con el bloqueo; false si otra copia viva lo tiene.
    bool adquirir();

private:
    std::unique_ptr<QLockFile> bloqueo_;
};

} // namespace hexora
