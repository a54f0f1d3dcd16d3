#pragma once
// Pantalla de interpretación: la pregunta, la figura, el número y los nombres del
// hexagrama, sus trigramas y el texto de una sección cada vez. Conmuta entre el
// hexagrama principal y el complementario.

#include "platform/Formulario.h"

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace hexora {

class FRMInterpretar : public Formulario {
    Q_OBJECT
public:
    static inline const QString kPrincipal = QStringLiteral("HEXAGRAMA PRINCIPAL");
    static inline const QString kComplementario = QStringLiteral("HEXAGRAMA COMPLEMENTARIO");
    static inline const QString kVerComplementario = QStringLiteral("Hexagrama Complementario");
    static inline const QString kVerPrincipal = QStringLiteral("Hexagrama Principal");

    FRMInterpretar();

    void Form_Load() override;
    void Form_Activate() override;

    void ActualizaHexagrama(const std::string& lineas);
    void MostrarSeccion(const std::string& codigo);
    void BTNINTERPRETAR_GotFocus(int Index);
    void LINEA_Click(int Index);
    void BTNMENU_Click(int Index);

    // Índice del botón de sección mostrado por última vez; -1, ninguno.
    int IndiceSeccion = 0;

    QTextBrowser* PREGUNTA;
    QGroupBox* Framehexagrama;
    std::array<QPushButton*, 6> LINEA;
    std::array<QLabel*, 2> TXTHEXAGRAMA;
    std::array<QLabel*, 2> SSPANEL2;
    std::array<QLabel*, 2> TXTTRIGRAMA;
    QGroupBox* Frame1;
    std::array<QPushButton*, 9> BTNINTERPRETAR;
    QTextBrowser* Text1;
    std::array<QTextBrowser*, 2> Text2;
    std::array<QPushButton*, 4> BTNMENU;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    // Carga en el buffer el texto de la figura y habilita los botones de sus líneas
    // mutantes; un error de los datos se dice al usuario.
    bool CargarBuffer(const std::string& lineas);
    // Tras una carga fallida el buffer no tiene el texto de la figura que se ve: no se
    // ofrece ninguna sección.
    void quedarSinTexto();
    void mostrarIndice(int Index);
    bool seVeElComplementario() const;
    void ponerConmutador(bool principal);
};

} // namespace hexora
