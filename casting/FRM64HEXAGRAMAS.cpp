#include "FRM64HEXAGRAMAS.h"

#include "ControlesComunes.h"
#include "Figuras.h"
#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace hexora {

FRM64HEXAGRAMAS::FRM64HEXAGRAMAS() {
    setWindowFlag(Qt::FramelessWindowHint);
    // Sin título propio: el lector de pantalla nombra la ventana por la acción del menú.
    setAccessibleName(QStringLiteral("Seleccionar uno de los 64 HEXAGRAMAS"));
    estiloPantalla(this);

    Label1 = new QLabel(kTexto, this);
    Label1->setAlignment(Qt::AlignCenter);
    fijarLetra(Label1, 14, true);

    List1 = new QListWidget(this);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setAccessibleName(kTexto);
    List1->setFixedWidth(250);
    List1->setMinimumHeight(List1->fontMetrics().lineSpacing() * 13);
    Label1->setBuddy(List1);
    connect(List1, &QListWidget::currentRowChanged, this, &FRM64HEXAGRAMAS::List1_Click);
    // Una selección que no mueve la fila actual (la que hace un lector de pantalla) la
    // mueve aquí: la figura, los nombres y aceptar siguen siempre a la entrada elegida.
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> elegidas = List1->selectedItems();
        if (!elegidas.isEmpty() && List1->row(elegidas.front()) != List1->currentRow())
            List1->setCurrentRow(List1->row(elegidas.front()));
    });
    connect(List1, &QListWidget::itemDoubleClicked, this, &FRM64HEXAGRAMAS::List1_DblClick);

    auto* figura = new QFrame(this);
    figura->setFrameShape(QFrame::StyledPanel);
    for (int i = 0; i < 6; ++i)
        LINEA[i] = crearLinea(figura, QSize(86, 16), i);
    auto* cajaFigura = new QVBoxLayout(figura);
    cajaFigura->setContentsMargins(24, 14, 24, 14);
    cajaFigura->addLayout(columnaLineas(LINEA, 6));

    label2[0] = new QLabel(QStringLiteral("Label2"), this);
    label2[1] = new QLabel(QString(20, QLatin1Char('-')), this);
    fijarLetra(label2[0], 13, true);
    fijarLetra(label2[1], 12);
    for (QLabel* etiqueta : label2) {
        etiqueta->setAlignment(Qt::AlignCenter);
        etiqueta->setWordWrap(true);
        etiqueta->setFixedWidth(200);
    }

    auto* grupo = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        BTNAUX[i] = crearBotonDialogo(this, i);
        grupo->addButton(BTNAUX[i], i);
    }
    // Intro en la lista acepta la figura elegida, como el doble clic.
    BTNAUX[0]->setDefault(true);
    connect(grupo, &QButtonGroup::idClicked, this, &FRM64HEXAGRAMAS::BTNAUX_Click);
    fijarBotonCancelar(BTNAUX[1]);

    auto* derecha = new QVBoxLayout;
    derecha->setSpacing(12);
    derecha->addStretch();
    derecha->addWidget(figura, 0, Qt::AlignHCenter);
    derecha->addWidget(label2[0], 0, Qt::AlignHCenter);
    derecha->addWidget(label2[1], 0, Qt::AlignHCenter);
    derecha->addStretch();
    auto* centro = new QHBoxLayout;
    centro->setSpacing(18);
    centro->addWidget(List1);
    centro->addLayout(derecha);
    auto* abajo = new QHBoxLayout;
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
    setTabOrder(List1, BTNAUX[0]);
    setTabOrder(BTNAUX[0], BTNAUX[1]);

    recentrarConRaton({this, List1, List1->viewport(), BTNAUX[0], BTNAUX[1]});
}

void FRM64HEXAGRAMAS::Form_Load() {
    BTNAUX[0]->setIcon(Graficos().Gaceptar);
    BTNAUX[1]->setIcon(Graficos().Gcancelar);
    BTNAUX[0]->hide();
    fijarContorno(true);
    adjustSize();
    centrarform();
}

void FRM64HEXAGRAMAS::Form_Activate() {
    centrarform();
    cerrando_ = false;
    // Se escriben siempre las 64 entradas sobre las mismas: la elección se conserva.
    for (int fila = 1; fila <= 64; ++fila) {
        const QString texto = textoQt(entradaDeLista(fila));
        if (List1->count() < fila)
            List1->addItem(texto);
        else
            List1->item(fila - 1)->setText(texto);
    }
    if (List1->selectedItems().isEmpty())
        List1->setCurrentRow(0);
    List1->scrollToItem(List1->currentItem());
    List1->setFocus();
}

void FRM64HEXAGRAMAS::List1_Click() {
    const int indice = List1->currentRow();
    if (indice < 0)
        return;
    BTNAUX[0]->show();
    const int fila = indice + 1;
    const std::string lineas = lineasDeFila(fila);
    for (std::size_t i = 0; i < 6; ++i) {
        ponerImagenLinea(LINEA[i], Graficos().GRFLINEAp, i < lineas.size() ? lineas[i] : ' ',
                         static_cast<int>(i));
        LINEA[i]->show();
    }
    label2[0]->setText(List1->item(indice)->text());
    label2[1]->setText(textoQt(segundoNombreDeFila(fila)));
}

void FRM64HEXAGRAMAS::List1_DblClick() { BTNAUX_Click(0); }

void FRM64HEXAGRAMAS::BTNAUX_Click(int Index) {
    // Mientras se espera para cerrar, otra pulsación no cambia lo decidido.
    if (cerrando_)
        return;
    if (Index == 0) {
        if (List1->currentRow() < 0)
            return;
        Resultado = "NO";
        Hexagrama = "";
        Hexagrama = lineasDeFila(List1->currentRow() + 1);
    } else {
        Resultado = "SI";
    }
    cerrando_ = true;
    Esperar(200);
    hide();
}

} // namespace hexora
