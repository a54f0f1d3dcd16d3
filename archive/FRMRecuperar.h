#pragma once
// Pantalla de recuperar: la lista de consultas archivadas (usuario y pregunta, dos listas
// que se mueven juntas), la fecha, la figura y el hexagrama de la elegida; devolverla a la
// interpretación o borrarla. Un cuadro de búsqueda deja en las listas solo las consultas
// cuyo usuario o pregunta contienen lo escrito.

#include "archive/ArchivoConsultas.h"
#include "archive/BusquedaConsultas.h"
#include "archive/ModeloConsultas.h"
#include "core/TextoFijo.h"
#include "platform/Formulario.h"

#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QFrame;
class QLabel;
class QPushButton;

namespace hexora {

class FRMRecuperar : public Formulario {
    Q_OBJECT
public:
    FRMRecuperar();
    void Form_Load() override;
    void Form_Activate() override;
    void CargarConsultas();
    void MostrarConsulta();
    void EliminarConsulta();
    void BTNAUX_Click(int Index);

    TextoFijo<2> Listo;

    std::array<QFrame*, 2> sspanel2;
    QLabel* LabelBuscar;
    QLineEdit* TXTBuscar; // filtra las dos listas por usuario o pregunta
    std::array<QLabel*, 3> Command1;
    QComboBox* CMBUSUARIO;
    QComboBox* CMBCONSULTA;
    QLabel* LBLFecha;
    QLabel* Label1;
    std::array<QLabel*, 2> label2;
    std::array<QLabel*, 6> LINEA;
    std::array<QPushButton*, 3> BTNAUX;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void seleccionCambiada(QComboBox* origen, int indice);
    // Deja en las listas las consultas que contienen lo buscado y muestra la primera.
    void aplicarBusqueda();
    // Posición en el archivo de la consulta que se ve; -1 si no se ve ninguna.
    long posicionElegida() const;
    // Cierra la pantalla como cancelada (archivo vacío o ilegible).
    void cerrarComoCancelada();

    std::vector<RegistroConsulta> registros_;
    ModeloConsultas* modelo_;
    std::unique_ptr<BusquedaConsultas> busqueda_;
};

} // namespace hexora
