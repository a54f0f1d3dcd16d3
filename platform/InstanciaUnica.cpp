#include "InstanciaUnica.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace hexora {

namespace {
QString rutaPorDefecto() {
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (carpeta.isEmpty())
        carpeta = QDir::tempPath();
    return QDir(carpeta).filePath(QStringLiteral("hexora.lock"));
}
} // namespace

InstanciaUnica::InstanciaUnica(QString ruta)
    : bloqueo_(std::make_unique<QLockFile>(ruta.isEmpty() ? rutaPorDefecto() : ruta)) {
    // Solo cuenta si el proceso que lo tiene sigue vivo, no la antigüedad del archivo.
    bloqueo_->setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() = default;

bool InstanciaUnica::adquirir() { return bloqueo_->isLocked() || bloqueo_->tryLock(0); }

} // namespace hexora
