// Las pantallas de la pregunta, la tirada de monedas, la construcción manual y la lista de
// los 64, solas y desde el menú, con el ratón y solo con el teclado.

#include "PantallasConDatos.h"
#include "casting/FRM64HEXAGRAMAS.h"
#include "casting/FRMIntroducir.h"
#include "casting/FRMTirada.h"
#include "casting/Figuras.h"
#include "casting/Pregunta.h"
#include "casting/frmconsulta.h"
#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"
#include "widgets/GRAFICOS.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>


using namespace hexora;

namespace {

std::string cp(const char* utf8) { return textoCp1252(QString::fromUtf8(utf8)); }

bool mismaImagen(const QLabel* l, const QPixmap& p) {
    return l->pixmap().cacheKey() == p.cacheKey();
}

bool visible(const QWidget* w) { return !w->isHidden(); }

using PantallasTirada = PantallasConDatos;

} // namespace

TEST_F(PantallasTirada, PreguntaEscritaPegadaYNormalizada) {
    PreguntaAnterior = cp("¿AÑO NUEVO?");
    auto& f = abrir<frmconsulta>(Pantalla::frmconsulta);
    EXPECT_EQ(f.PREGUNTA->toPlainText(), QString::fromUtf8("¿AÑO NUEVO?"));
    f.PREGUNTA->clear();
    EXPECT_FALSE(visible(f.BTNAUX[0])); // nada que aceptar
    // Letras que no son ASCII, como las de un teclado español.
    for (const QChar c : QString::fromUtf8("  qué significa esto ")) {
        QKeyEvent pulsada(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(f.PREGUNTA, &pulsada);
    }
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
    // El acento pegado como marca aparte (e + U+0301) se compone y no se pierde.
    f.PREGUNTA->setPlainText(QString::fromUtf8("  que\xCC\x81 significa esto \n"));
    f.BTNAUX[0]->click();
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), cp("¿QUÉ SIGNIFICA ESTO?"));
    EXPECT_FALSE(f.isVisible());
    // Al volver se ofrece la anterior toda seleccionada: lo que se escribe la sustituye, y
    // Escape cancela sin tocar Pregunta.
    PreguntaAnterior = Pregunta;
    abrir<frmconsulta>(Pantalla::frmconsulta);
    EXPECT_EQ(f.PREGUNTA->textCursor().selectedText(), QString::fromUtf8("¿QUÉ SIGNIFICA ESTO?"));
    QTest::keyClicks(f.PREGUNTA, "otra cosa");
    EXPECT_EQ(f.PREGUNTA->toPlainText(), "otra cosa");
    QTest::keyClick(f.PREGUNTA, Qt::Key_Escape);
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Pregunta.recortado(), cp("¿QUÉ SIGNIFICA ESTO?"));
    // Tras una figura hecha a mano no hay pregunta que ofrecer.
    PreguntaAnterior = kPreguntaModoManual;
    abrir<frmconsulta>(Pantalla::frmconsulta);
    EXPECT_TRUE(f.PREGUNTA->toPlainText().isEmpty());
}

// Cada pantalla solo con el teclado: el tabulador, el espacio, Intro y el Intro del teclado
// numérico, siempre donde está el foco.
TEST_F(PantallasTirada, TecladoPreguntaMonedasManualYLista) {
    auto& c = abrir<frmconsulta>(Pantalla::frmconsulta);
    QTest::keyClicks(c.focusWidget(), "me mudo?");
    tecla(c, Qt::Key_Return); // el Intro de quien la da por terminada: un solo "?"
    tecla(c, Qt::Key_Tab);
    ASSERT_EQ(c.focusWidget(), c.BTNAUX[0]);
    tecla(c, Qt::Key_Return);
    EXPECT_EQ(Pregunta.recortado(), cp("¿ME MUDO?"));
    // Seis líneas: el espacio lanza las monedas y un Intro las para.
    auto& t = abrir<FRMTirada>(Pantalla::FRMTirada);
    for (std::size_t i = 0; i < 6; ++i) {
        ASSERT_EQ(t.focusWidget(), t.BTNTIRAR) << i;
        tecla(t, Qt::Key_Space);
        disparar(*t.Timer1);
        tecla(t, i % 2 ? Qt::Key_Enter : Qt::Key_Return,
              i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
        for (int tic = 0; tic < 5000 && t.tirada().lineas().size() == i; ++tic) {
            reloj += 0.011;
            disparar(*t.TimerParada);
        }
    }
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
    ASSERT_TRUE(tabularHasta(m, m.BTNBORRAR, true));
    tecla(m, Qt::Key_Space);
    EXPECT_EQ(Hexagrama.recortado(), "67899");
    ASSERT_TRUE(tabularHasta(m, m.GRFLINEA[2], true));
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
    EXPECT_EQ(Hexagrama.valor(), "788878");
    abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
    tecla(l, Qt::Key_Escape);
    EXPECT_EQ(Resultado, "SI");
}

// Con r = 0 cada moneda queda en la cara en que empezó y con r = 0,25 le da la vuelta: las
// seis líneas salen de abajo arriba, cada una con las tres monedas en reposo, y la pantalla
// se cierra 1,5 s después de la sexta.
TEST_F(PantallasTirada, SeisLineasDeAbajoArribaYCierreTrasLaPausa) {
    Pregunta = cp("¿QUÉ HAGO?");
    Hexagrama = "787878";
    auto& f = abrir<FRMTirada>(Pantalla::FRMTirada);
    EXPECT_EQ(f.windowTitle(), "Hechar Monedas");
    EXPECT_EQ(f.PREGUNTA->toPlainText(), QString::fromUtf8("¿QUÉ HAGO?"));
    EXPECT_EQ(Hexagrama.valor(), "      ");
    EXPECT_EQ(f.BTNTIRAR->accessibleName(), "TIRAR MONEDAS");
    for (int i = 0; i < 6; ++i) {
        fijarAleatorio([i] { return i % 2 == 0 ? 0.0 : 0.25; });
        f.BTNTIRAR->click();
        EXPECT_EQ(f.BTNTIRAR->accessibleName(), "PARAR MONEDAS");
        EXPECT_EQ(f.Timer1->intervalo(), 10);
        disparar(*f.Timer1);
        f.BTNTIRAR->click();
        EXPECT_FALSE(f.BTNTIRAR->isEnabled()); // frenando
        // El foco se aparta a la pregunta, no a cancelar, donde caería una pulsación de más.
        EXPECT_EQ(f.focusWidget(), f.PREGUNTA);
        while (!visible(f.LINEA[i])) {
            reloj += 0.011;
            ASSERT_TRUE(disparar(*f.TimerParada));
        }
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
    f.BTNTIRAR->click(); // en la pausa el botón no responde
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

// Cancelar a media tirada, a media parada (ni un tic rezagado pone la línea) o con Escape en
// la pausa final repone la figura que había.
TEST_F(PantallasTirada, CancelarTiradaEnCualquierFase) {
    Hexagrama = "787878";
    auto& f = abrir<FRMTirada>(Pantalla::FRMTirada);
    for (int i = 0; i < 3; ++i)
        echarLinea(f, 7 * i);
    f.BTNAUX->click();
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "787878");
    EXPECT_FALSE(f.isVisible());
    abrir<FRMTirada>(Pantalla::FRMTirada);
    EXPECT_FALSE(visible(f.LINEA[0])); // cada vez empieza sin líneas
    f.BTNTIRAR->click();
    f.BTNTIRAR->click();
    disparar(*f.TimerParada);
    f.BTNAUX->click();
    EXPECT_FALSE(f.TimerParada->activo());
    reloj += 5;
    f.TimerParada_Timer();
    EXPECT_FALSE(visible(f.LINEA[0]));
    EXPECT_EQ(Hexagrama.valor(), "787878");
    abrir<FRMTirada>(Pantalla::FRMTirada);
    for (int i = 0; i < 6; ++i)
        echarLinea(f, i);
    ASSERT_TRUE(f.TimerParada->activo());
    QTest::keyClick(&f, Qt::Key_Escape);
    reloj += 5;
    f.TimerParada_Timer();
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Hexagrama.valor(), "787878");
}

// Cada pulsación pone la línea siguiente encima de las anteriores y borrar quita la última;
// solo la figura completa se puede aceptar y, con ella, las líneas ya no se pulsan; cancelar
// repone la figura de antes.
TEST_F(PantallasTirada, ConstruccionManualAnadirYBorrar) {
    Hexagrama = "999999";
    auto& f = abrir<FRMIntroducir>(Pantalla::FRMIntroducir);
    const auto estado = [&] {
        std::string s = Hexagrama.valor() + " ";
        for (QLabel* l : f.LINEA)
            for (int v = 0; v < 4; ++v)
                if (visible(l) && mismaImagen(l, Graficos().GRFLINEA[v]))
                    s += char('6' + v);
        return s + (visible(f.BTNAUX[0]) ? " aceptar" : "") +
               (f.BTNBORRAR->isEnabled() ? " borrar" : "") +
               (f.GRFLINEA[0]->isEnabled() ? " lineas" : "");
    };
    EXPECT_EQ(estado(), "        lineas");
    f.GRFLINEA[3]->click();
    QTest::mouseClick(f.GRFLINEA[1], Qt::RightButton); // cualquier botón del ratón vale
    EXPECT_EQ(estado(), "97     97 borrar lineas");
    f.BTNBORRAR->click();
    for (int k : {0, 2, 2, 1, 3, 0})
        f.GRFLINEA[k]->click();
    EXPECT_EQ(estado(), "968879 968879 aceptar borrar");
    EXPECT_EQ(f.focusWidget(), f.BTNAUX[0]);
    f.BTNAUX[0]->click();
    EXPECT_EQ(Resultado, "NO");
    abrir<FRMIntroducir>(Pantalla::FRMIntroducir);
    f.GRFLINEA[2]->click();
    f.BTNAUX[1]->click();
    EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "SI968879");
}

TEST_F(PantallasTirada, ListaDeLos64) {
    auto& f = abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
    ASSERT_EQ(f.List1->count(), 64);
    EXPECT_EQ(f.List1->item(0)->text(), "1 - Ch'ien");
    EXPECT_EQ(f.label2[1]->text(), "La Fuerza Creadora");
    // Doble clic en la entrada 10: T'ai, cielo abajo y tierra arriba.
    f.List1->scrollToItem(f.List1->item(10));
    const QPoint punto = f.List1->visualItemRect(f.List1->item(10)).center();
    QTest::mouseClick(f.List1->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(f.List1->viewport(), Qt::LeftButton, {}, punto);
    EXPECT_EQ(f.label2[0]->text(), "11 - T'ai");
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Hexagrama.valor(), "777888");
    EXPECT_FALSE(f.isVisible());
    // Al volver sigue la elección de antes. Una selección que llega por la interfaz de
    // accesibilidad (la de un lector de pantalla), que no mueve la fila actual: la figura,
    // los nombres y aceptar la siguen.
    abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
    EXPECT_EQ(f.List1->currentRow(), 10);
    EXPECT_EQ(f.label2[1]->text(), QString::fromUtf8("La Armonía"));
    QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(f.List1);
    ASSERT_TRUE(lista && lista->tableInterface());
    QAccessibleInterface* celda = lista->tableInterface()->cellAt(1, 0);
    ASSERT_TRUE(celda && celda->actionInterface());
    celda->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(f.label2[0]->text(), "2 - K'un");
    EXPECT_EQ(f.LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yin joven (8)"));
    f.BTNAUX[0]->click();
    EXPECT_EQ(Hexagrama.valor(), "888888");
}

// Desde el menú con las pantallas de verdad: una tirada cancelada no toca la última
// consulta, y Escape en la lista devuelve el foco al botón que la abrió.
TEST_F(PantallasTirada, DesdeElMenu) {
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
            echarLinea(t);
        }
        if (lineas < 6)
            t.BTNAUX->click();
        reloj += 2;
        disparar(*t.TimerParada);
    };
    entorno.guion[Pantalla::FRM64HEXAGRAMAS] = [](Formulario& f) {
        activar(f);
        tecla(f, Qt::Key_Down);
        tecla(f, Qt::Key_Escape);
    };
    FRMPRINCIPAL menu{[] { return false; }};
    ASSERT_TRUE(menu.arrancar());
    menu.BTNMENU_Click(0);
    ASSERT_EQ(vistas.size(), 1u);
    EXPECT_EQ(vistas[0], "\xBFPRIMERA?|666969|777878|NO");
    pregunta = "segunda";
    lineas = 3;
    menu.BTNMENU_Click(0);
    EXPECT_EQ(ofrecida, QString::fromUtf8("¿PRIMERA?"));
    EXPECT_EQ(vistas.size(), 1u);
    EXPECT_EQ(Pregunta.recortado(), "\xBFPRIMERA?");
    EXPECT_EQ(HexagramaAnterior.valor(), "666969");
    menu.BTNMENU_Click(3);
    ASSERT_EQ(vistas.size(), 2u);
    EXPECT_EQ(vistas[1], vistas[0]);
    activar(menu);
    menu.BTNMENU[0]->setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(tabularHasta(menu, menu.BTNMENU[2]));
    EXPECT_EQ(menu.Panmsg->text(), "Seleccionar uno de los 64 HEXAGRAMAS");
    tecla(menu, Qt::Key_Return);
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRM64HEXAGRAMAS");
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[2]);
}
