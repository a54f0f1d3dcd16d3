#pragma once
// Las consultas archivadas como modelo de Qt: una fila por consulta que pasa el filtro,
// con el usuario en la columna 0 y la pregunta en la 1. Las dos listas de la pantalla de
// recuperar comparten este modelo, cada una con su columna, y así siguen en paralelo
// aunque se filtre; con miles de consultas no se copia ningún texto de antemano.

#include "archive/ArchivoConsultas.h"

#include <QAbstractTableModel>

#include <vector>

namespace hexora {

class ModeloConsultas : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Los registros han de vivir mientras el modelo los muestre. Sin filtro: todos.
    void fijarRegistros(const std::vector<RegistroConsulta>* registros);
    // Deja solo estas posiciones del archivo (desde 0, en orden).
    void filtrar(std::vector<std::size_t> posiciones);

    // Posición en el archivo de la fila mostrada; -1 si la fila no existe.
    long posicionEnArchivo(int fila) const;

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;

private:
    const std::vector<RegistroConsulta>* registros_ = nullptr;
    std::vector<std::size_t> filas_;
};

} // namespace hexora
