#pragma once
// Pantalla de recuperar: la lista de consultas archivadas (usuario y pregunta, dos listas
// que se mueven juntas), la fecha, la figura y el hexagrama de la elegida; devolverla a la
// interpretación o borrarla.

#include "archive/ArchivoConsultas.h"
#include "core/TextoFijo.h"
#include "platform/Formulario.h"

#include <array>
#include <vector>

class QComboBox;
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
    std::array<QLabel*, 3> Command1;
    QComboBox* CMBUSUARIO;
    QComboBox* CMBCONSULTA;
    QLabel* LBLFecha;
    QLabel* Label1;
    std::array<QLabel*, 2> label2;
    std::array<QLabel*, 6> LINEA;
    std::array<QPushButton*, 3> BTNAUX;

private:
    void seleccionCambiada(QComboBox* origen, int indice);
    // Cierra la pantalla como cancelada (archivo vacío o ilegible).
    void cerrarComoCancelada();

    std::vector<RegistroConsulta> registros_;
};

} // namespace hexora
