#include "FRMIntroducir.h"

#include "ControlesComunes.h"
#include "Figuras.h"
#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"
#include "widgets/NombresHexagrama.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace hexora {

FRMIntroducir::FRMIntroducir() {
    setWindowFlag(Qt::FramelessWindowHint);
    // Sin título propio: el lector de pantalla nombra la ventana por la acción del menú.
    setAccessibleName(QStringLiteral("Crear Hexagrama MANUALMENTE"));
    estiloPantalla(this);

    Label1 = new QLabel(kTexto, this);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    fijarLetra(Label1, 12, true);

    auto* grupoLineas = new QButtonGroup(this);
    auto* columnaBotones = new QVBoxLayout;
    columnaBotones->setSpacing(12);
    columnaBotones->addStretch();
    for (int k = 0; k < 4; ++k) {
        const char valor = static_cast<char>('6' + k);
        const QString nombre = QStringLiteral("Añadir línea: ") + nombreValorLinea(valor);
        GRFLINEA[k] = new QPushButton(this);
        GRFLINEA[k]->setFixedSize(188, 41);
        GRFLINEA[k]->setIconSize(QSize(172, 31));
        GRFLINEA[k]->setAccessibleName(nombre);
        GRFLINEA[k]->setToolTip(nombre);
        GRFLINEA[k]->setFocusPolicy(Qt::StrongFocus);
        // Cualquier botón del ratón añade la línea, no solo el principal.
        GRFLINEA[k]->installEventFilter(this);
        grupoLineas->addButton(GRFLINEA[k], k);
        columnaBotones->addWidget(GRFLINEA[k]);
    }
    columnaBotones->addStretch();
    connect(grupoLineas, &QButtonGroup::idClicked, this, &FRMIntroducir::GRFLINEA_MouseDown);

    Frame2 = new QGroupBox(kMarco, this);
    Frame2->setAlignment(Qt::AlignHCenter);
    fijarLetra(Frame2, 11, true);
    for (int i = 0; i < 6; ++i)
        LINEA[i] = crearLinea(Frame2, QSize(172, 31), i);
    auto* cajaFigura = new QVBoxLayout(Frame2);
    cajaFigura->setContentsMargins(14, 12, 14, 12);
    cajaFigura->addLayout(columnaLineas(LINEA, 6));

    BTNBORRAR = new QPushButton(kBorrar, this);
    BTNBORRAR->setAccessibleName(kBorrar);
    BTNBORRAR->setMinimumHeight(46);
    BTNBORRAR->setFocusPolicy(Qt::StrongFocus);
    connect(BTNBORRAR, &QPushButton::clicked, this, &FRMIntroducir::BTNBORRAR_Click);

    auto* grupo = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        BTNAUX[i] = crearBotonDialogo(this, i);
        grupo->addButton(BTNAUX[i], i);
    }
    connect(grupo, &QButtonGroup::idClicked, this, &FRMIntroducir::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX[1]);

    auto* centro = new QHBoxLayout;
    centro->setSpacing(18);
    centro->addLayout(columnaBotones);
    centro->addWidget(Frame2);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(BTNBORRAR);
    abajo->addStretch();
    abajo->addWidget(BTNAUX[0]);
    abajo->addWidget(BTNAUX[1]);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(20, 14, 20, 14);
    todo->setSpacing(12);
    todo->addWidget(Label1);
    todo->addLayout(centro);
    todo->addLayout(abajo);
    todo->setSizeConstraint(QLayout::SetFixedSize);
    for (int k = 0; k + 1 < 4; ++k)
        setTabOrder(GRFLINEA[k], GRFLINEA[k + 1]);
    setTabOrder(GRFLINEA[3], BTNBORRAR);
    setTabOrder(BTNBORRAR, BTNAUX[0]);
    setTabOrder(BTNAUX[0], BTNAUX[1]);

    recentrarConRaton({this, BTNAUX[0], BTNAUX[1], Label1});
}

void FRMIntroducir::Form_Load() {
    for (int k = 0; k < 4; ++k)
        GRFLINEA[k]->setIcon(Graficos().GRFLINEA[k]);
    BTNAUX[0]->setIcon(Graficos().Gaceptar);
    BTNAUX[1]->setIcon(Graficos().Gcancelar);
    fijarContorno(true);
    adjustSize();
    centrarform();
}

void FRMIntroducir::Form_Activate() {
    centrarform();
    for (QLabel* linea : LINEA)
        linea->hide();
    HexagramaGuardado = Hexagrama.valor();
    Hexagrama = "";
    ajustarBotones();
    GRFLINEA[0]->setFocus();
}

void FRMIntroducir::GRFLINEA_MouseDown(int Index) {
    if (Index < 0 || Index > 3 || !GRFLINEA[Index]->isEnabled())
        return;
    const char valor = static_cast<char>('6' + Index);
    const int lugar = agregarLinea(valor);
    if (lugar >= 0) {
        ponerImagenLinea(LINEA[lugar], Graficos().GRFLINEA, valor, lugar);
        LINEA[lugar]->show();
    }
    ajustarBotones();
    if (lugar == 5)
        BTNAUX[0]->setFocus();
    Esperar(50);
}

void FRMIntroducir::BTNBORRAR_Click() {
    const int lugar = borrarUltimaLinea();
    if (lugar >= 0)
        LINEA[lugar]->hide();
    ajustarBotones();
}

void FRMIntroducir::BTNAUX_Click(int Index) {
    if (Index == 0) {
        Resultado = "NO";
    } else {
        Resultado = "SI";
        Hexagrama = HexagramaGuardado;
    }
    hide();
}

void FRMIntroducir::ajustarBotones() {
    const int n = numeroLineas();
    // Antes de desactivar un botón con el foco, el foco pasa a uno que siga activo.
    if (n == 6 && !BTNAUX[0]->isVisible())
        BTNAUX[0]->show();
    if (n == 0 && BTNBORRAR->hasFocus())
        GRFLINEA[0]->setFocus();
    for (QPushButton* boton : GRFLINEA)
        boton->setEnabled(n < 6);
    BTNBORRAR->setEnabled(n > 0);
    BTNAUX[0]->setVisible(n == 6);
}

bool FRMIntroducir::eventFilter(QObject* objeto, QEvent* evento) {
    for (int k = 0; k < 4; ++k) {
        if (objeto != GRFLINEA[k])
            continue;
        if (evento->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(evento)->button() != Qt::LeftButton) {
            GRFLINEA_MouseDown(k);
            return true;
        }
        // Sobre las líneas el ratón no recentra la pantalla.
        return QDialog::eventFilter(objeto, evento);
    }
    return Formulario::eventFilter(objeto, evento);
}

} // namespace hexora
