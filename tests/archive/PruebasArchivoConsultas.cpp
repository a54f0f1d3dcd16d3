#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "archive/ArchivoConsultas.h"
#include "archive/FRMGrabar.h"
#include "archive/FRMRecuperar.h"
#include "core/CarpetaPrograma.h"
#include "core/ErrorArchivo.h"
#include "core/EstadoConsulta.h"
#include "core/LlamadasSistema.h"
#include "core/Tablas.h"
#include "shell/RegistroPantallas.h"

#include <QAccessible>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hexora;

namespace {

class ArchivoConsultas : public ::testing::Test {
protected:
    void SetUp() override {
        reiniciarEstadoConsulta();
        Registro = RegistroConsulta();
        Pregunta = "\xBFQu\xE9 hago?";
        Hexagrama = "967876";
    }
    void TearDown() override {
        fijarFalloSistema({});
        fijarCarpetaEscritura({});
    }

    static std::string leer(const std::filesystem::path& ruta) {
        std::ifstream f(ruta, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    std::string contenido() const { return leer(carpeta.ruta() / "usuarios.dat"); }
    void grabar(const std::string& usuario, const std::string& pregunta,
                const std::string& figura = "967876") {
        Pregunta = pregunta;
        Hexagrama = figura;
        GrabarConsulta(usuario, "05/03/2026");
    }
    std::vector<std::string> usuariosYPreguntas() const {
        std::vector<std::string> r;
        for (const auto& c : leerConsultas())
            r.push_back(std::string(c.Numero()) + " " + std::string(recortar(c.Usuario())) + " " +
                        std::string(recortar(c.Texto())));
        return r;
    }

    CarpetaTemporal carpeta;
};

using V = std::vector<std::string>;

// Mensaje del error de la operación, o "sin error".
std::string mensajeDe(const std::function<void()>& operacion) {
    try {
        operacion();
    } catch (const ErrorArchivo& e) {
        return e.what();
    }
    return "sin error";
}

std::size_t archivosEn(const std::filesystem::path& carpeta) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(carpeta),
                                                  std::filesystem::directory_iterator()));
}

// Un registro escrito a mano, byte a byte, sin pasar por el código que se prueba.
std::string registroAMano(const std::string& numero, const std::string& usuario,
                          const std::string& texto) {
    const std::string nul(1, '\0');
    const auto relleno = [](std::string s, std::size_t n) { return s.append(n - s.size(), ' '); };
    return numero + nul + relleno(usuario, 30) + nul + relleno(texto, 100) + nul + "967876" + nul +
           "05/03/2026" + std::string(6, '\0');
}

} // namespace

// Orden estable por usuario normalizado, numeración de todo el archivo y fecha dd/mm/aaaa.
// Un archivo de otro programa (desordenado, con bytes reservados que no son NUL) conserva
// sus registros tal cual, salvo el número.
TEST_F(ArchivoConsultas, OrdenNumeracionYArchivoAjeno) {
    std::string ajeno;
    for (const char* u : {"PEDRO", "BEA"}) {
        std::string b = registroAMano("0009", u, "x");
        b[4] = 'R';
        b[159] = 'Z';
        ajeno += b;
    }
    carpeta.escribir("usuarios.dat", ajeno);
    grabar("zoe", "primera");
    grabar("ANA", "segunda");
    grabar("ana", "tercera");
    grabar("Ana ", "cuarta");
    grabar("jos\xE9", "quinta"); // josé
    EXPECT_EQ(usuariosYPreguntas(),
              (V{"0001 ANA segunda", "0002 ANA tercera", "0003 ANA cuarta", "0004 BEA x",
                 "0005 JOS\xC9 quinta", "0006 PEDRO x", "0007 ZOE primera"}));
    const auto registros = leerConsultas();
    EXPECT_EQ(registros[3].bytes().substr(4), ajeno.substr(160 + 4)); // todo menos Numero
    EXPECT_EQ(registros[5].bytes().substr(4), ajeno.substr(4, 156));
    EXPECT_EQ(formatearFecha(5, 3, 2026), "05/03/2026");

    // Borrar un registro que ya no está en esa posición (otro cambió el archivo) no toca nada.
    const std::string antes = contenido();
    EXPECT_FALSE(EliminarConsulta(0, registros[3]));
    EXPECT_EQ(contenido(), antes);
}

namespace {

// Una operación sobre el archivo, con su contenido antes y el que debe dejar (nada: el
// archivo desaparece). Devuelve si el sistema confirmó el cambio; lanza si no se hizo.
struct Operacion {
    std::string nombre;
    std::string antes;
    std::optional<std::string> despues;
    std::function<bool()> hacer;
};

std::vector<Operacion> operaciones() {
    const std::string ana = registroAMano("0001", "ANA", "a");
    const std::string bea = registroAMano("0002", "BEA", "b");
    const std::string car = registroAMano("0003", "CAR", "c");
    const auto borrar = [](std::size_t i, std::string antes) {
        return [i, antes] {
            const auto cambio = EliminarConsulta(
                i, RegistroConsulta::desdeBytes(std::string_view(antes).substr(i * 160, 160)));
            if (!cambio)
                throw std::logic_error("no ha encontrado el registro");
            return cambio->confirmado;
        };
    };
    return {
        {"grabar", ana + registroAMano("0002", "CAR", "c"), ana + bea + car,
         [] {
             Pregunta = "b";
             return GrabarConsulta(" bea ", "05/03/2026").confirmado;
         }},
        {"borrar el segundo de tres", ana + bea + car, ana + car, borrar(1, ana + bea + car)},
        {"borrar el único", ana, std::nullopt, borrar(0, ana)},
    };
}

// Código de error verosímil para cada llamada.
int errorPara(Llamada l) {
    switch (l) {
    case Llamada::Crear:
    case Llamada::Escribir: return ENOSPC;
    case Llamada::Abrir: return EACCES;
    case Llamada::Renombrar:
    case Llamada::Borrar: return EBUSY;
    default: return EIO;
    }
}

} // namespace

class FallosDelSistema : public ArchivoConsultas {
protected:
    void poner(const Operacion& op) {
        std::filesystem::remove(carpeta.ruta() / "usuarios.dat.nuevo");
        carpeta.escribir("usuarios.dat", op.antes);
    }
    std::optional<std::string> enDisco() const {
        if (!std::filesystem::exists(carpeta.ruta() / "usuarios.dat"))
            return std::nullopt;
        return contenido();
    }
    int llamadasDe(const Operacion& op) {
        poner(op);
        int n = 0;
        fijarFalloSistema([&n](Llamada) { return ++n, 0; });
        op.hacer();
        fijarFalloSistema({});
        return n;
    }
};

// Cada llamada al sistema de una grabación y de dos borrados falla por turno. Después, el
// archivo es el de antes (y se ha dicho por qué, en palabras) o el de después (y, si falló
// la sincronización de la carpeta, se ha dicho que no está confirmado); nunca otra cosa, ni
// un éxito sobre el archivo sin cambiar, ni un temporal olvidado.
TEST_F(FallosDelSistema, CadaLlamadaFallaPorTurno) {
    for (const auto& op : operaciones()) {
        const int total = llamadasDe(op);
        int errores = 0, sinConfirmar = 0;
        std::set<Llamada> conError;
        for (int k = 1; k <= total; ++k) {
            SCOPED_TRACE(op.nombre + ", falla la llamada " + std::to_string(k));
            poner(op);
            int n = 0;
            Llamada fallida{};
            fijarFalloSistema([&](Llamada l) {
                if (++n != k)
                    return 0;
                fallida = l;
                return errorPara(l);
            });
            const std::string mensaje = mensajeDe([&] {
                if (!op.hacer())
                    throw ErrorArchivo("-", "sin confirmar");
            });
            fijarFalloSistema({});
            if (mensaje == "sin error") {
                EXPECT_EQ(enDisco(), op.despues);
            } else if (mensaje.find("sin confirmar") != std::string::npos) {
                ++sinConfirmar;
                EXPECT_EQ(enDisco(), op.despues);
                EXPECT_TRUE(fallida == Llamada::SincronizarCarpeta || fallida == Llamada::Abrir ||
                            fallida == Llamada::Cerrar);
            } else {
                ++errores;
                conError.insert(fallida);
                EXPECT_EQ(enDisco(), op.antes);
                EXPECT_NE(mensaje.find("\"usuarios.dat\" no se"), std::string::npos) << mensaje;
                EXPECT_NE(mensaje.find(causaError(errorPara(fallida))), std::string::npos)
                    << mensaje;
            }
            EXPECT_EQ(archivosEn(carpeta.ruta()), enDisco() ? 1u : 0u); // ningún temporal
        }
        EXPECT_GE(errores, 3);      // stat, apertura y lectura al menos
        EXPECT_GE(sinConfirmar, 2); // abrir y sincronizar la carpeta al menos
        // El temporal se lleva al disco antes de ponerlo en su sitio.
        EXPECT_EQ(conError.count(Llamada::Sincronizar), op.despues ? 1u : 0u);
    }
}

// El proceso muere antes de cada llamada, por turno. Queda el archivo de antes o el de
// después, entero; el temporal que pueda quedar se quita al arrancar, y una grabación
// nueva no pierde nada de lo que había.
TEST_F(FallosDelSistema, MatarAntesDeCadaLlamada) {
    for (const auto& op : operaciones()) {
        const int total = llamadasDe(op);
        for (int k = 1; k <= total + 1; ++k) {
            SCOPED_TRACE(op.nombre + ", muere antes de la llamada " + std::to_string(k));
            poner(op);
            const pid_t hijo = fork();
            ASSERT_GE(hijo, 0);
            if (hijo == 0) {
                int n = 0;
                fijarFalloSistema([&n, k](Llamada) {
                    if (++n == k)
                        raise(SIGKILL);
                    return 0;
                });
                op.hacer();
                _exit(0);
            }
            int estado = 0;
            waitpid(hijo, &estado, 0);
            EXPECT_EQ(WIFSIGNALED(estado), k <= total);
            const auto quedo = enDisco();
            ASSERT_TRUE(quedo == op.antes || quedo == op.despues);

            limpiarArchivoConsultas(); // lo que hace el arranque
            EXPECT_EQ(archivosEn(carpeta.ruta()), quedo ? 1u : 0u);
            // Los registros que quedaron, renumerados, y la nueva al final.
            std::string esperado;
            const std::string previo = quedo.value_or("");
            for (std::size_t i = 0; i < previo.size(); i += 160)
                esperado += "000" + std::to_string(i / 160 + 1) + previo.substr(i + 4, 156);
            esperado += registroAMano("000" + std::to_string(previo.size() / 160 + 1), "ZOE", "z");
            grabar("zoe", "z");
            EXPECT_EQ(contenido(), esperado);
        }
    }
}

// Una escritura que el sistema corta a medias (aquí, por el límite de tamaño de archivo del
// proceso, como en un disco que se llena) se avisa y deja el archivo anterior entero.
TEST_F(ArchivoConsultas, EscrituraCortadaAMedias) {
    for (int i = 0; i < 20; ++i)
        grabar("USUARIO", "pregunta " + std::to_string(i));
    const std::string antes = contenido();
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{antes.size() + 100, antes.size() + 100};
        setrlimit(RLIMIT_FSIZE, &limite);
        const std::string mensaje = mensajeDe([&] { grabar("ZOE", "no cabe"); });
        _exit(mensaje.find("\"usuarios.dat\" no se ha podido guardar") != std::string::npos ? 0
                                                                                            : 1);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << estado;
    EXPECT_EQ(contenido(), antes);
    EXPECT_EQ(archivosEn(carpeta.ruta()), 1u);
}

// Ni un archivo dañado (no mide un número entero de registros) ni uno marcado de solo
// lectura (aunque la carpeta deje, también para root) se sustituyen ni se borran: se avisa
// con la causa y quedan como estaban, marca incluida.
TEST_F(ArchivoConsultas, DanadoOSoloLecturaNoSeTocan) {
    const auto noSeToca = [&](const char* causa) {
        const std::string antes = contenido();
        const std::string alGrabar = mensajeDe([&] { grabar("BEA", "dos"); });
        const std::string alBorrar =
            mensajeDe([&] { EliminarConsulta(0, RegistroConsulta::desdeBytes(antes)); });
        EXPECT_NE(alGrabar.find(causa), std::string::npos) << alGrabar;
        EXPECT_NE(alBorrar.find(causa), std::string::npos) << alBorrar;
        EXPECT_EQ(contenido(), antes);
        EXPECT_EQ(archivosEn(carpeta.ruta()), 1u);
    };
    carpeta.escribir("usuarios.dat", std::string(161, 'x'));
    noSeToca("mide 161 bytes");
    const auto ruta = carpeta.ruta() / "usuarios.dat";
    carpeta.escribir("usuarios.dat", registroAMano("0001", "ANA", "a"));
    ASSERT_EQ(chmod(ruta.c_str(), 0444), 0);
    noSeToca("es de solo lectura");
    EXPECT_EQ(std::filesystem::status(ruta).permissions(), std::filesystem::perms(0444));
}

// Las pantallas, con los datos del programa cargados y mensajes contestados por guion.
class PantallasArchivo : public ArchivoConsultas {
protected:
    void SetUp() override {
        ArchivoConsultas::SetUp();
        fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
        CargarTablas();
        fijarCarpetaPrograma(carpeta.ruta());
        registrarPantallas();
    }

    FRMRecuperar* abrirRecuperar() {
        auto* f = CargarComo<FRMRecuperar>(Pantalla::FRMRecuperar);
        f->Form_Activate();
        return f;
    }

    EntornoPantallas entorno; // después de la carpeta: se restaura antes
};

// Sin nombre no se graba. Lo que Windows-1252 no tiene se quita y lo que pasa de 30
// caracteres se corta, con aviso; se graba lo que se ve, con la fecha de hoy.
TEST_F(PantallasArchivo, GrabarElNombreQueSeVe) {
    auto* f = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    f->show();
    f->TXTUsuario->setText("   ");
    EXPECT_FALSE(f->BTNAUX[0]->isVisible());
    EXPECT_FALSE(f->LabelAviso->isVisible());
    f->TXTUsuario->setText(QString(40, QChar(0x4E2D)) + QString::fromUtf8("josé\t\U0001F600"));
    EXPECT_EQ(f->TXTUsuario->text(), QString::fromUtf8("josé"));
    EXPECT_TRUE(f->LabelAviso->isVisible());
    EXPECT_TRUE(f->BTNAUX[0]->isVisible());
    // Cien mil caracteres pegados en medio: entra lo que cabe y lo de detrás sigue.
    f->TXTUsuario->setCursorPosition(2);
    f->TXTUsuario->insert(QString(100000, QLatin1Char('n')));
    EXPECT_EQ(f->TXTUsuario->text(),
              "jo" + QString(26, QLatin1Char('n')) + QString::fromUtf8("sé"));
    f->BTNAUX_Click(0);
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), nullptr);
    EXPECT_TRUE(entorno.mensajes.empty());
    const auto registros = leerConsultas();
    ASSERT_EQ(registros.size(), 1u);
    EXPECT_EQ(registros[0].Usuario(), "JO" + std::string(26, 'N') + "S\xC9");
    EXPECT_EQ(registros[0].Fecha(), QDate::currentDate().toString("dd/MM/yyyy").toStdString());
    EXPECT_EQ(registros[0].Lineas(), "967876");
}

// Recuperar con las dos listas en paralelo y con el teclado. La búsqueda no distingue
// mayúsculas ni acentos; borrar y devolver actúan sobre la consulta que se ve (su sitio en
// el archivo, no en la lista filtrada) y tras borrar la búsqueda sigue.
TEST_F(PantallasArchivo, RecuperarYBuscarConElTeclado) {
    grabar("ANA", "\xBFMe mudo?", "777777"); // ¿Me mudo?
    grabar("ZOE", "mudanza al norte", "787878");
    grabar("N\xDA\xD1"
           "EZ",
           "trabajo nuevo", "967876"); // NÚÑEZ
    grabar("ANA", "otra", "123456");   // figura que no es ningún hexagrama
    auto* f = abrirRecuperar();
    f->show();
    const auto listas = [f] {
        QStringList r;
        for (int i = 0; i < f->CMBUSUARIO->count(); ++i)
            r << f->CMBUSUARIO->itemText(i).trimmed() + "|" + f->CMBCONSULTA->itemText(i).trimmed();
        return r;
    };
    ASSERT_EQ(listas().size(), 4);
    ASSERT_EQ(f->focusWidget(), f->CMBUSUARIO);
    QTest::keyClick(f->focusWidget(), Qt::Key_Down);
    EXPECT_EQ(f->CMBCONSULTA->currentIndex(), 1);
    EXPECT_EQ(f->label2[0]->text(), " 0 - ");

    QTest::keyClicks(f->TXTBuscar, "nunez");
    EXPECT_EQ(listas(), QStringList{QString::fromUtf8("NÚÑEZ|trabajo nuevo")});
    f->TXTBuscar->setText(QString::fromUtf8("MÚD"));
    EXPECT_EQ(listas(), (QStringList{QString::fromUtf8("ANA|¿Me mudo?"), "ZOE|mudanza al norte"}));
    QTest::keyClick(f->TXTBuscar, Qt::Key_Down);
    EXPECT_EQ(f->focusWidget(), f->CMBUSUARIO);
    f->CMBCONSULTA->setCurrentIndex(1); // la otra lista la sigue
    entorno.respuestas = {RespuestaMensaje::Si};
    f->BTNAUX_Click(2); // borra la de ZOE, la cuarta del archivo
    EXPECT_EQ(usuariosYPreguntas(), (V{"0001 ANA \xBFMe mudo?", "0002 ANA otra",
                                       "0003 N\xDA\xD1"
                                       "EZ trabajo nuevo"}));
    EXPECT_EQ(listas(), QStringList{QString::fromUtf8("ANA|¿Me mudo?")});

    f->TXTBuscar->setText("xyz");
    EXPECT_EQ(f->CMBUSUARIO->count(), 0);
    EXPECT_FALSE(f->BTNAUX[2]->isVisibleTo(f));

    // Eliminar con el espacio y decir que no: nada cambia. Luego aceptar con Intro.
    f->TXTBuscar->setText("trabajo");
    QTest::keyClick(f->TXTBuscar, Qt::Key_Down);
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    const auto antes = leerConsultas();
    entorno.respuestas = {RespuestaMensaje::No};
    QTest::keyClick(f->focusWidget(), Qt::Key_Space);
    EXPECT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_EQ(leerConsultas(), antes);
    QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(f->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), "trabajo nuevo");
    EXPECT_EQ(Hexagrama.valor(), "967876");
    EXPECT_FALSE(f->isVisible());
}

// Al borrar la última consulta, el aviso de que no quedan sale con la pantalla ya oculta,
// también para el lector de pantalla. Sin archivo se avisa igual al abrirla, y lo que no se
// puede leer (aquí, una carpeta) se dice en las dos pantallas, sin escribir nada encima.
TEST_F(PantallasArchivo, SinConsultasOArchivoQueNoSePuedeLeer) {
    grabar("ANA", "uno", "777777");
    auto* f = abrirRecuperar();
    f->show();
    bool oculta = false;
    fijarServicioMensajes([&](const Mensaje& m) {
        if (entorno.mensajes.size() == 1) // el aviso que sigue al borrado
            oculta = !f->isVisible() && QAccessible::queryAccessibleInterface(f)->state().invisible;
        entorno.mensajes.push_back(m);
        return RespuestaMensaje::Si;
    });
    f->BTNAUX_Click(2);
    EXPECT_TRUE(oculta);
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Instancia(Pantalla::FRMRecuperar), nullptr);
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat"));
    abrirRecuperar();
    std::filesystem::create_directory(carpeta.ruta() / "usuarios.dat");
    abrirRecuperar();
    ASSERT_EQ(entorno.mensajes.size(), 4u);
    for (std::size_t i : {1u, 2u})
        EXPECT_EQ(entorno.mensajes[i].texto, "NO EXITEN CONSULTAS ARCHIVADAS");
    EXPECT_TRUE(entorno.mensajes[3].texto.contains("no es un archivo normal"));
    auto* g = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    g->TXTUsuario->setText("ana");
    g->BTNAUX_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 5u);
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), g); // sigue abierta: no se ha guardado
    EXPECT_TRUE(std::filesystem::is_empty(carpeta.ruta() / "usuarios.dat"));
}

// Programa instalado en una carpeta sin escritura que ya tenía un archivo: se ve desde el
// principio; la primera grabación lo copia con la nueva a la carpeta del usuario y lo dice
// una vez, y desde entonces se usa ese (vaciarlo no hace reaparecer el otro). Si el disco
// no confirma la grabación, se dice.
TEST_F(PantallasArchivo, ArchivoTrasladadoYGrabacionSinConfirmar) {
    CarpetaTemporal usuario; // pasa a ser la del programa: se vuelve a la de la prueba
    fijarCarpetaPrograma(carpeta.ruta());
    fijarCarpetaEscritura(usuario.ruta());
    grabar("CAR", "de antes", "777777");
    const auto enUsuario = usuario.ruta() / "usuarios.dat";
    const std::string previo = leer(enUsuario);
    std::filesystem::rename(enUsuario, carpeta.ruta() / "usuarios.dat");
    auto* r = abrirRecuperar();
    EXPECT_EQ(r->CMBUSUARIO->count(), 1);
    r->BTNAUX_Click(1);

    fijarFalloSistema([](Llamada l) { return l == Llamada::SincronizarCarpeta ? EIO : 0; });
    auto* g = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    g->TXTUsuario->setText("bea");
    g->BTNAUX_Click(0);
    fijarFalloSistema({});
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(QString::fromStdString(enUsuario.string())));
    EXPECT_EQ(entorno.mensajes[1].texto, "La consulta se ha guardado, pero el sistema no ha "
                                         "confirmado que haya quedado en el disco.");
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), nullptr);
    EXPECT_EQ(leer(carpeta.ruta() / "usuarios.dat"), previo);
    ASSERT_EQ(leer(enUsuario).size(), 320u);
    EXPECT_EQ(leer(enUsuario).substr(164), previo.substr(4)); // CAR, detrás de BEA

    EXPECT_TRUE(GrabarConsulta("dan", "05/03/2026").trasladadoA.empty());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(EliminarConsulta(0, leerConsultas()[0]));
    EXPECT_TRUE(leerConsultas().empty());
}
