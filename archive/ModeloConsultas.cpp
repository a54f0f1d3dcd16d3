#include "ModeloConsultas.h"

#include "platform/Plataforma.h"

#include <numeric>

namespace hexora {

void ModeloConsultas::fijarRegistros(const std::vector<RegistroConsulta>* registros) {
    beginResetModel();
    registros_ = registros;
    filas_.resize(registros ? registros->size() : 0);
    std::iota(filas_.begin(), filas_.end(), std::size_t{0});
    endResetModel();
}

void ModeloConsultas::filtrar(std::vector<std::size_t> posiciones) {
    beginResetModel();
    filas_ = std::move(posiciones);
    endResetModel();
}

long ModeloConsultas::posicionEnArchivo(int fila) const {
    if (fila < 0 || static_cast<std::size_t>(fila) >= filas_.size())
        return -1;
    return static_cast<long>(filas_[static_cast<std::size_t>(fila)]);
}

int ModeloConsultas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(filas_.size());
}

int ModeloConsultas::columnCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : 2; }

QVariant ModeloConsultas::data(const QModelIndex& indice, int papel) const {
    const long p = posicionEnArchivo(indice.row());
    if (papel != Qt::DisplayRole || p < 0 || !registros_)
        return {};
    const auto& r = (*registros_)[static_cast<std::size_t>(p)];
    // El campo entero, con sus espacios, como está en el archivo.
    return textoQt(indice.column() == 0 ? r.Usuario() : r.Texto());
}

} // namespace hexora
