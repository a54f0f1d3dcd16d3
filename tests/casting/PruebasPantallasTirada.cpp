#include "EntornoPantallas.h"
#include "TemporizadorManual.h"
#include "casting/FRM64HEXAGRAMAS.h"
#include "casting/FRMIntroducir.h"
#include "casting/FRMTirada.h"
#include "casting/Figuras.h"
#include "casting/Pregunta.h"
#include "casting/frmconsulta.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "platform/Plataforma.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"
#include "widgets/GRAFICOS.h"
#include "shell/RegistroPantallas.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace hexora;

namespace {

std::string cp(const char* utf8) { return textoCp1252(QString::fromUtf8(utf8)); }

bool mismaImagen(const QLabel* l, const QPixmap& p) {
    return l->pixmap().cacheKey() == p.cacheKey();
}

bool visible(const QWidget* w) { return !w->isHidden(); }

// Teclea el texto carácter a carácter, con letras que no son ASCII como las de un teclado
// español.
void teclear(QWidget* w, const QString& texto) {
    for (const QChar c : texto) {
        QKeyEvent pulsada(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent soltada(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &pulsada);
        QApplication::sendEvent(w, &soltada);
    }
}

class PantallasTirada : public ::testing::Test {
protected:
    void SetUp() override {
        fijarFabricaTemporizadores([] { return std::make_unique<TemporizadorManual>(); });
        fijarReloj([this] { return reloj; });
        prepararCarpetaPrograma();
        CargarTablas();
        registrarPantallas();
    }
    void TearDown() override {
        fijarFabricaTemporizadores({});
        fijarReloj({});
    }

    // La pantalla tal como la muestra el menú: visible y recién activada.
    template <class T> T& abrir(Pantalla p) {
        T& f = *CargarComo<T>(p);
        f.show();
        f.Form_Activate();
        return f;
    }

    // Tirar, dejar girar unos tics y parar; el reloj avanza 11 ms por tic hasta la línea.
    void echarLinea(FRMTirada& f, int tics) {
        f.BTNTIRAR->click();
        for (int i = 0; i < tics; ++i)
            disparar(*f.Timer1);
        f.BTNTIRAR->click();
        const auto antes = f.tirada().lineas().size();
        for (int tic = 0; tic < 5000 && f.tirada().lineas().size() == antes; ++tic) {
            reloj += 0.011;
            disparar(*f.TimerParada);
        }
    }

    EntornoPantallas entorno;
    double reloj = 0;
};

} // namespace

TEST_F(PantallasTirada, PreguntaEscritaPegadaYNormalizada) {
    PreguntaAnterior = cp("¿AÑO NUEVO?");
    auto& f = abrir<frmconsulta>(Pantalla::frmconsulta);
    EXPECT_EQ(f.PREGUNTA->toPlainText(), QString::fromUtf8("¿AÑO NUEVO?"));
    EXPECT_TRUE(visible(f.BTNAUX[0]));
    f.PREGUNTA->clear();
    EXPECT_FALSE(visible(f.BTNAUX[0])); // nada que aceptar

    teclear(f.PREGUNTA, QString::fromUtf8("  qué significa esto "));
    QTest::keyClick(f.PREGUNTA, Qt::Key_Return);
    EXPECT_TRUE(visible(f.BTNAUX[0]));
    EXPECT_FALSE(visible(f.LabelAviso));

    // Lo pegado pierde a la vista lo que el archivo no podría guardar, y el exceso.
    f.PREGUNTA->moveCursor(QTextCursor::End);
    f.PREGUNTA->insertPlainText(QString::fromUtf8("中\U0001F600"));
    EXPECT_EQ(f.PREGUNTA->toPlainText(), QString::fromUtf8("  qué significa esto \n"));
    EXPECT_TRUE(visible(f.LabelAviso));
    f.PREGUNTA->insertPlainText(QString(200, QLatin1Char('x')));
    EXPECT_EQ(longitudPregunta(f.PREGUNTA->toPlainText().toStdU32String()), kMaximoPregunta);
    EXPECT_TRUE(f.LabelAviso->text().contains("98"));
    // Pegada con el acento como marca aparte (e + U+0301): se compone y no se pierde.
    f.PREGUNTA->setPlainText(QString::fromUtf8("  que\xCC\x81 significa esto \n"));

    f.BTNAUX[0]->click();
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), cp("¿QUÉ SIGNIFICA ESTO?"));
    EXPECT_FALSE(f.isVisible());

    // Al volver se ofrece la anterior toda seleccionada: lo que se escribe la sustituye.
    // Escape cancela sin tocar Pregunta.
    PreguntaAnterior = Pregunta;
    f.show();
    f.Form_Activate();
    EXPECT_EQ(f.PREGUNTA->textCursor().selectedText(), QString::fromUtf8("¿QUÉ SIGNIFICA ESTO?"));
    QTest::keyClicks(f.PREGUNTA, "otra cosa");
    EXPECT_EQ(f.PREGUNTA->toPlainText(), "otra cosa");
    QTest::keyClick(f.PREGUNTA, Qt::Key_Escape);
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Pregunta.recortado(), cp("¿QUÉ SIGNIFICA ESTO?"));
    EXPECT_FALSE(f.isVisible());

    // Tras una figura hecha a mano no hay pregunta que ofrecer: la caja sale vacía.
    PreguntaAnterior = kPreguntaModoManual;
    f.show();
    f.Form_Activate();
    EXPECT_TRUE(f.PREGUNTA->toPlainText().isEmpty());
    EXPECT_FALSE(visible(f.BTNAUX[0]));
}

// Cada pantalla de la tirada, solo con el teclado: el tabulador, el espacio, Intro y el
// Intro del teclado numérico, siempre donde está el foco.
TEST_F(PantallasTirada, TecladoPreguntaMonedasManualYLista) {
    const auto tecla = [](QWidget& ventana, int codigo, Qt::KeyboardModifiers mod = {}) {
        QTest::keyClick(ventana.focusWidget(), static_cast<Qt::Key>(codigo), mod);
    };

    // La pregunta, con el Intro de quien la da por terminada: un solo "?".
    auto& c = abrir<frmconsulta>(Pantalla::frmconsulta);
    QTest::keyClicks(c.focusWidget(), "me mudo?");
    tecla(c, Qt::Key_Return);
    tecla(c, Qt::Key_Tab);
    ASSERT_EQ(c.focusWidget(), c.BTNAUX[0]);
    tecla(c, Qt::Key_Return);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), cp("¿ME MUDO?"));

    // Seis líneas: el espacio lanza las monedas y un Intro las para.
    auto& t = abrir<FRMTirada>(Pantalla::FRMTirada);
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(t.focusWidget(), t.BTNTIRAR) << i;
        tecla(t, Qt::Key_Space);
        disparar(*t.Timer1);
        if (i % 2 == 0)
            tecla(t, Qt::Key_Return);
        else
            tecla(t, Qt::Key_Enter, Qt::KeypadModifier);
        for (int tic = 0; tic < 5000 && t.tirada().lineas().size() == static_cast<std::size_t>(i);
             ++tic) {
            reloj += 0.011;
            disparar(*t.TimerParada);
        }
    }
    EXPECT_EQ(t.tirada().lineas().size(), 6u);
    EXPECT_EQ(Hexagrama.recortado().size(), 6u);

    // A mano: cada botón de línea con Intro o espacio; borrar y volver a poner la sexta.
    auto& m = abrir<FRMIntroducir>(Pantalla::FRMIntroducir);
    ASSERT_EQ(m.focusWidget(), m.GRFLINEA[0]);
    tecla(m, Qt::Key_Return); // 6
    tecla(m, Qt::Key_Tab);
    tecla(m, Qt::Key_Space); // 7
    tecla(m, Qt::Key_Tab);
    tecla(m, Qt::Key_Enter, Qt::KeypadModifier); // 8
    tecla(m, Qt::Key_Tab);
    for (int i = 0; i < 3; ++i)
        tecla(m, Qt::Key_Return); // 9 9 9
    EXPECT_EQ(Hexagrama.valor(), "678999");
    ASSERT_EQ(m.focusWidget(), m.BTNAUX[0]);
    tecla(m, Qt::Key_Backtab);
    ASSERT_EQ(m.focusWidget(), m.BTNBORRAR);
    tecla(m, Qt::Key_Space);
    EXPECT_EQ(Hexagrama.recortado(), "67899");
    tecla(m, Qt::Key_Backtab);
    ASSERT_EQ(m.focusWidget(), m.GRFLINEA[3]);
    tecla(m, Qt::Key_Backtab);
    tecla(m, Qt::Key_Return); // 8
    ASSERT_EQ(m.focusWidget(), m.BTNAUX[0]);
    tecla(m, Qt::Key_Return);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Hexagrama.valor(), "678998");

    // La lista: flechas e Intro acepta; Escape cancela.
    auto& l = abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
    l.List1->setCurrentRow(0);
    ASSERT_EQ(l.focusWidget(), l.List1);
    tecla(l, Qt::Key_Down);
    tecla(l, Qt::Key_Down);
    EXPECT_EQ(l.label2[0]->text(), "3 - Chun");
    tecla(l, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Hexagrama.valor(), lineasDeFila(3));
    abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
    tecla(l, Qt::Key_Escape);
    EXPECT_EQ(Resultado, "SI");
}

TEST_F(PantallasTirada, SeisLineasDeAbajoArribaYCierreTrasLaPausa) {
    Pregunta = cp("¿QUÉ HAGO?");
    Hexagrama = "787878";
    auto& f = abrir<FRMTirada>(Pantalla::FRMTirada);
    EXPECT_EQ(f.windowTitle(), "Hechar Monedas");
    EXPECT_EQ(f.PREGUNTA->toPlainText(), QString::fromUtf8("¿QUÉ HAGO?"));
    EXPECT_EQ(Hexagrama.valor(), "      ");
    EXPECT_EQ(f.BTNTIRAR->accessibleName(), "TIRAR MONEDAS");
    for (QLabel* m : f.moneda)
        EXPECT_TRUE(mismaImagen(m, f.grfmoneda[0]));

    // r = 0 deja cada moneda en la cara en que empezó y r = 0,25 le da la vuelta.
    for (int i = 0; i < 6; ++i) {
        fijarAleatorio([i] { return i % 2 == 0 ? 0.0 : 0.25; });
        f.BTNTIRAR->click();
        EXPECT_EQ(f.BTNTIRAR->accessibleName(), "PARAR MONEDAS");
        EXPECT_TRUE(f.Timer1->activo());
        EXPECT_EQ(f.Timer1->intervalo(), 10);
        disparar(*f.Timer1);
        f.BTNTIRAR->click();
        EXPECT_FALSE(f.BTNTIRAR->isEnabled()); // frenando
        EXPECT_FALSE(f.Timer1->activo());
        // El foco se aparta del botón desactivado a la pregunta, no a cancelar, donde caería
        // una pulsación de más.
        EXPECT_EQ(f.focusWidget(), f.PREGUNTA);
        while (!visible(f.LINEA[i])) {
            reloj += 0.011;
            ASSERT_TRUE(disparar(*f.TimerParada));
        }
        // La línea nueva va encima de las anteriores y solo con las tres monedas en reposo.
        for (int j = i + 1; j < 6; ++j)
            EXPECT_FALSE(visible(f.LINEA[j]));
        int suma = 0;
        for (QLabel* m : f.moneda)
            suma += mismaImagen(m, f.grfmoneda[0]) ? 2 : mismaImagen(m, f.grfmoneda[4]) ? 3 : 99;
        EXPECT_EQ(Hexagrama[static_cast<std::size_t>(i)], '0' + suma);
        EXPECT_TRUE(mismaImagen(f.LINEA[i], Graficos().GRFLINEA[suma - 6]));
        EXPECT_EQ(f.focusWidget(), i < 5 ? static_cast<QWidget*>(f.BTNTIRAR) : f.PREGUNTA);
    }
    EXPECT_EQ(Hexagrama.valor(), "699669");

    // Pausa: el botón no responde y la pantalla sigue abierta hasta pasar 1,5 s.
    EXPECT_FALSE(f.BTNTIRAR->isEnabled());
    f.BTNTIRAR->click();
    reloj += 1.49;
    disparar(*f.TimerParada);
    EXPECT_TRUE(f.isVisible());
    reloj += 0.02;
    disparar(*f.TimerParada);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Hexagrama.valor(), "699669");
    EXPECT_FALSE(f.TimerParada->activo());
}

TEST_F(PantallasTirada, CancelarTiradaEnCualquierFase) {
    Hexagrama = "787878";
    auto& f = abrir<FRMTirada>(Pantalla::FRMTirada);
    for (int i = 0; i < 3; ++i)
        echarLinea(f, 7 * i);
    EXPECT_EQ(f.tirada().lineas().size(), 3u);
    f.BTNAUX->click();
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "787878");
    EXPECT_FALSE(f.isVisible());

    // A media parada: el temporizador se apaga y ni un tic rezagado pone la línea.
    f.show();
    f.Form_Activate();
    EXPECT_FALSE(visible(f.LINEA[0])); // cada vez empieza sin líneas
    f.BTNTIRAR->click();
    f.BTNTIRAR->click();
    disparar(*f.TimerParada);
    f.BTNAUX->click();
    EXPECT_FALSE(f.TimerParada->activo());
    reloj += 5;
    f.TimerParada_Timer();
    EXPECT_FALSE(visible(f.LINEA[0]));
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "787878");

    // En la pausa final, con Escape: no se da por aceptada.
    f.show();
    f.Form_Activate();
    for (int i = 0; i < 6; ++i)
        echarLinea(f, i);
    ASSERT_TRUE(f.TimerParada->activo());
    QTest::keyClick(&f, Qt::Key_Escape);
    reloj += 5;
    f.TimerParada_Timer();
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "787878");
}

TEST_F(PantallasTirada, ConstruccionManualAnadirYBorrar) {
    Hexagrama = "999999";
    auto& f = abrir<FRMIntroducir>(Pantalla::FRMIntroducir);
    f.GRFLINEA[3]->click();
    QTest::mouseClick(f.GRFLINEA[1], Qt::RightButton); // cualquier botón del ratón vale
    EXPECT_EQ(Hexagrama.valor(), "97    ");

    // Cualquier serie de pulsaciones deja visibles las líneas 0 a n-1 con los valores de
    // Hexagrama, y solo la figura completa se puede aceptar.
    std::string modelo = "97";
    std::mt19937 azar(7);
    for (int paso = 0; paso < 400; ++paso) {
        if (azar() % 5 < 3) {
            const int k = static_cast<int>(azar() % 4);
            f.GRFLINEA[k]->click();
            if (modelo.size() < 6)
                modelo += static_cast<char>('6' + k);
        } else {
            f.BTNBORRAR->click();
            if (!modelo.empty())
                modelo.pop_back();
        }
        ASSERT_EQ(Hexagrama.recortado(), modelo);
        const std::size_t n = modelo.size();
        for (std::size_t i = 0; i < 6; ++i) {
            ASSERT_EQ(visible(f.LINEA[i]), i < n);
            if (i < n) {
                ASSERT_TRUE(mismaImagen(f.LINEA[i], Graficos().GRFLINEA[modelo[i] - '6']));
            }
        }
        ASSERT_EQ(visible(f.BTNAUX[0]), n == 6);
        ASSERT_EQ(f.BTNBORRAR->isEnabled(), n > 0);
        for (QPushButton* b : f.GRFLINEA)
            ASSERT_EQ(b->isEnabled(), n < 6);
    }

    while (f.BTNBORRAR->isEnabled())
        f.BTNBORRAR->click();
    for (int i = 0; i < 6; ++i)
        f.GRFLINEA[0]->click();
    EXPECT_EQ(Hexagrama.valor(), "666666");
    EXPECT_EQ(f.focusWidget(), f.BTNAUX[0]);
    f.BTNAUX[0]->click();
    EXPECT_EQ(Resultado, "NO");
    EXPECT_FALSE(f.isVisible());

    // Cancelar repone la figura que había al abrir.
    f.show();
    f.Form_Activate();
    f.GRFLINEA[2]->click();
    f.BTNAUX[1]->click();
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "666666");
}

TEST_F(PantallasTirada, ListaDeLos64) {
    Hexagrama = "999999";
    auto& f = abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
    ASSERT_EQ(f.List1->count(), 64);
    EXPECT_EQ(f.List1->currentRow(), 0);
    EXPECT_EQ(f.List1->item(0)->text(), "1 - Ch'ien");
    EXPECT_EQ(f.label2[0]->text(), "1 - Ch'ien");
    EXPECT_EQ(f.label2[1]->text(), "La Fuerza Creadora");
    EXPECT_TRUE(visible(f.BTNAUX[0]));

    // Cada figura se dibuja con líneas jóvenes, y las 64 son distintas.
    std::set<std::string> figuras;
    for (int fila = 0; fila < 64; ++fila) {
        f.List1->setCurrentRow(fila);
        std::string figura;
        for (QLabel* l : f.LINEA) {
            ASSERT_TRUE(visible(l));
            figura += mismaImagen(l, Graficos().GRFLINEAp[1])   ? '7'
                      : mismaImagen(l, Graficos().GRFLINEAp[2]) ? '8'
                                                                : '?';
        }
        figuras.insert(figura);
    }
    EXPECT_EQ(figuras.size(), 64u);
    EXPECT_EQ(figuras.count("777888"), 1u);

    // Doble clic en la entrada 10: T'ai, cielo abajo y tierra arriba.
    f.List1->scrollToItem(f.List1->item(10));
    const QPoint punto = f.List1->visualItemRect(f.List1->item(10)).center();
    QTest::mouseClick(f.List1->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(f.List1->viewport(), Qt::LeftButton, {}, punto);
    EXPECT_EQ(f.label2[0]->text(), "11 - T'ai");
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Hexagrama.valor(), "777888");
    EXPECT_FALSE(f.isVisible());

    // Al volver siguen las 64 y la elección de antes; cancelar no toca Hexagrama.
    f.show();
    f.Form_Activate();
    EXPECT_EQ(f.List1->count(), 64);
    EXPECT_EQ(f.List1->currentRow(), 10);
    EXPECT_EQ(f.label2[1]->text(), QString::fromUtf8("La Armonía"));
    QTest::keyClick(f.List1, Qt::Key_Up);
    QTest::keyClick(f.List1, Qt::Key_Escape);
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "777888");

    // Una selección que llega por la interfaz de accesibilidad (la de un lector de
    // pantalla), que no mueve la fila actual: la figura, los nombres y aceptar la siguen.
    f.show();
    f.Form_Activate();
    QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(f.List1);
    ASSERT_TRUE(lista && lista->tableInterface());
    ASSERT_TRUE(lista->tableInterface()->selectRow(10));
    EXPECT_EQ(f.label2[0]->text(), "11 - T'ai");
    EXPECT_EQ(f.LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yang joven (7)"));
    QAccessibleInterface* celda = lista->tableInterface()->cellAt(1, 0);
    ASSERT_TRUE(celda && celda->actionInterface());
    celda->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(f.label2[0]->text(), "2 - K'un");
    f.BTNAUX[0]->click();
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Hexagrama.valor(), "888888");
}

TEST_F(PantallasTirada, MenuTiradaCanceladaNoTocaLaUltimaConsulta) {
    entorno.registrarFalsa(Pantalla::FRMInterpretar);
    entorno.guion[Pantalla::FRM256] = [](Formulario& f) {
        static_cast<FRM256&>(f).BTNAUX_Click(0);
    };
    std::vector<std::string> vistas; // lo que encuentra cada vez la interpretación
    entorno.guion[Pantalla::FRMInterpretar] = [&](Formulario&) {
        vistas.push_back(std::string(Pregunta.recortado()) + "|" + Hexagrama.valor() + "|" +
                         Complementario.valor() + "|" + Resultado.valor());
    };
    std::string pregunta = "primera";
    QString ofrecida;
    entorno.guion[Pantalla::frmconsulta] = [&](Formulario& f) {
        auto& c = static_cast<frmconsulta&>(f);
        ofrecida = c.PREGUNTA->toPlainText();
        c.PREGUNTA->setPlainText(QString::fromStdString(pregunta));
        c.BTNAUX[0]->click();
    };
    int lineas = 6;
    entorno.guion[Pantalla::FRMTirada] = [&](Formulario& f) {
        auto& t = static_cast<FRMTirada&>(f);
        for (int i = 0; i < lineas; ++i) {
            fijarAleatorio([i] { return i < 3 ? 0.0 : 0.25; });
            echarLinea(t, 0);
        }
        if (lineas < 6)
            t.BTNAUX->click();
        reloj += 2;
        disparar(*t.TimerParada);
    };
    FRMPRINCIPAL menu{[] { return false; }};
    ASSERT_TRUE(menu.Form_Load());

    menu.BTNMENU_Click(0);
    ASSERT_EQ(vistas.size(), 1u);
    EXPECT_EQ(vistas[0], "\xBFPRIMERA?|666969|777878|NO");

    // Otra pregunta y tres líneas, y se cancela: queda la consulta anterior.
    pregunta = "segunda";
    lineas = 3;
    menu.BTNMENU_Click(0);
    EXPECT_EQ(ofrecida, QString::fromUtf8("¿PRIMERA?"));
    EXPECT_EQ(vistas.size(), 1u);
    EXPECT_EQ(Pregunta.recortado(), "\xBFPRIMERA?");
    EXPECT_EQ(Hexagrama.valor(), "666969");
    EXPECT_EQ(HexagramaAnterior.valor(), "666969");

    menu.BTNMENU_Click(3);
    ASSERT_EQ(vistas.size(), 2u);
    EXPECT_EQ(vistas[1], vistas[0]);
}

// Desde el menú con el teclado: Escape en la lista de los 64 devuelve el foco al botón que
// la abrió, y la línea de estado, vacía al arrancar, solo cambia cuando el usuario mueve el
// foco.
TEST_F(PantallasTirada, EscapeEnLaListaDevuelveElFocoAlMenu) {
    entorno.guion[Pantalla::FRM256] = [](Formulario& f) {
        static_cast<FRM256&>(f).BTNAUX_Click(0);
    };
    entorno.guion[Pantalla::FRM64HEXAGRAMAS] = [](Formulario& f) {
        auto& l = static_cast<FRM64HEXAGRAMAS&>(f);
        l.show();
        QTest::keyClick(l.focusWidget(), Qt::Key_Down);
        QTest::keyClick(l.focusWidget(), Qt::Key_Escape);
    };
    FRMPRINCIPAL menu{[] { return false; }};
    ASSERT_TRUE(menu.Form_Load());
    menu.show();
    QApplication::setActiveWindow(&menu);
    menu.BTNMENU[0]->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(menu.Panmsg->text(), "");
    QTest::keyClick(menu.focusWidget(), Qt::Key_Tab);
    QTest::keyClick(menu.focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(menu.focusWidget(), menu.BTNMENU[2]);
    EXPECT_EQ(menu.Panmsg->text(), "Seleccionar uno de los 64 HEXAGRAMAS");
    QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRM64HEXAGRAMAS");
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[2]);
}
