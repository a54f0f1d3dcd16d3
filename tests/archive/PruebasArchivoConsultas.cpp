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
// Un archivo ajeno, desordenado y con bytes reservados que no son NUL, se conserva salvo el número.
TEST_F(ArchivoConsultas, OrdenNumeracionYArchivoAjeno) {
    std::string ajeno = registroAMano("0009", "PEDRO", "x") + registroAMano("0009", "BEA", "x");
    ajeno[4] = 'R';
    ajeno[160 + 159] = 'Z';
    carpeta.escribir("usuarios.dat", ajeno);
    grabar("zoe", "primera");
    grabar("ANA", "segunda");
    grabar("Ana ", "cuarta");
    grabar("jos\xE9", "quinta"); // josé
    EXPECT_EQ(usuariosYPreguntas(), (V{"0001 ANA segunda", "0002 ANA cuarta", "0003 BEA x",
                                       "0004 JOS\xC9 quinta", "0005 PEDRO x", "0006 ZOE primera"}));
    const auto registros = leerConsultas();
    EXPECT_EQ(registros[2].bytes().substr(4), ajeno.substr(160 + 4)); // todo menos Numero
    EXPECT_EQ(registros[4].bytes().substr(4), ajeno.substr(4, 156));
    EXPECT_EQ(formatearFecha(5, 3, 2026), "05/03/2026");

    // Borrar un registro que ya no está en esa posición (otro cambió el archivo) no toca nada.
    const std::string antes = contenido();
    EXPECT_FALSE(EliminarConsulta(0, registros[2]));
    EXPECT_EQ(contenido(), antes);
}

namespace {

// Operación con el archivo de antes y el que debe dejar (nada: desaparece). Dice si se confirmó.
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
    void poner(const Operacion& op) { carpeta.escribir("usuarios.dat", op.antes); }
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

// Cada llamada al sistema de una grabación y de dos borrados falla por turno. Queda el archivo
// de antes (y se dice por qué) o el de después (sin confirmar si falló sincronizar la carpeta);
// nunca otra cosa, ni un éxito sobre el archivo sin cambiar, ni un temporal olvidado.
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

// El proceso muere antes de cada llamada, por turno. Queda el archivo de antes o el de después,
// entero; el temporal se quita al arrancar y una grabación nueva no pierde nada.
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
        _exit(mensajeDe([&] { grabar("ZOE", "no cabe"); }) == "sin error" ? 1 : 0);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0) << estado;
    EXPECT_EQ(contenido(), antes);
    EXPECT_EQ(archivosEn(carpeta.ruta()), 1u);
}

// Ni un archivo dañado (no mide un número entero de registros) ni uno de solo lectura (aunque
// la carpeta deje, también para root) se sustituyen ni se borran: se avisa y quedan como estaban.
// Lo mismo con una carpeta en el sitio del archivo.
TEST_F(ArchivoConsultas, DanadoOSoloLecturaNoSeTocan) {
    const auto noSeToca = [&] {
        const std::string antes = contenido();
        EXPECT_NE(mensajeDe([&] { grabar("BEA", "dos"); }), "sin error");
        EXPECT_NE(mensajeDe([&] { EliminarConsulta(0, RegistroConsulta::desdeBytes(antes)); }),
                  "sin error");
        EXPECT_EQ(contenido(), antes);
        EXPECT_EQ(archivosEn(carpeta.ruta()), 1u);
    };
    carpeta.escribir("usuarios.dat", std::string(161, 'x'));
    noSeToca();
    const auto ruta = carpeta.ruta() / "usuarios.dat";
    carpeta.escribir("usuarios.dat", registroAMano("0001", "ANA", "a"));
    ASSERT_EQ(chmod(ruta.c_str(), 0444), 0);
    noSeToca();
    EXPECT_EQ(std::filesystem::status(ruta).permissions(), std::filesystem::perms(0444));
    // Una carpeta en su sitio no se lee como un archivo vacío ni se sustituye.
    std::filesystem::remove(ruta);
    std::filesystem::create_directory(ruta);
    EXPECT_NE(mensajeDe([] { leerConsultas(); }).find("no es un archivo normal"),
              std::string::npos);
    EXPECT_NE(mensajeDe([&] { grabar("BEA", "dos"); }), "sin error");
    EXPECT_TRUE(std::filesystem::is_directory(ruta));
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

// Listas en paralelo; la búsqueda no distingue mayúsculas ni acentos; borrar y devolver actúan
// sobre la consulta que se ve (su sitio en el archivo, no en la lista) y la búsqueda sigue.
TEST_F(PantallasArchivo, RecuperarYBuscar) {
    const std::string nunez = std::string("N\xDA\xD1") + "EZ"; // NÚÑEZ
    grabar("ANA", "\xBFMe mudo?", "777777");                   // ¿Me mudo?
    grabar("ZOE", "mudanza al norte", "787878");
    grabar(nunez, "trabajo nuevo", "967876");
    grabar("ANA", "otra", "123456"); // figura que no es ningún hexagrama
    auto* f = abrirRecuperar();
    f->show();
    const auto listas = [f] {
        QStringList r;
        for (int i = 0; i < f->CMBUSUARIO->count(); ++i)
            r << f->CMBUSUARIO->itemText(i).trimmed() + "|" + f->CMBCONSULTA->itemText(i).trimmed();
        return r;
    };
    ASSERT_EQ(listas().size(), 4);
    QTest::keyClicks(f->TXTBuscar, "nunez");
    EXPECT_EQ(listas(), QStringList{QString::fromUtf8("NÚÑEZ|trabajo nuevo")});
    f->TXTBuscar->setText(QString::fromUtf8("MÚD"));
    EXPECT_EQ(listas(), (QStringList{QString::fromUtf8("ANA|¿Me mudo?"), "ZOE|mudanza al norte"}));
    f->CMBCONSULTA->setCurrentIndex(1); // la otra lista la sigue
    entorno.respuestas = {RespuestaMensaje::Si};
    f->BTNAUX_Click(2); // borra la de ZOE, la cuarta del archivo
    EXPECT_EQ(usuariosYPreguntas(),
              (V{"0001 ANA \xBFMe mudo?", "0002 ANA otra", "0003 " + nunez + " trabajo nuevo"}));
    EXPECT_EQ(listas(), QStringList{QString::fromUtf8("ANA|¿Me mudo?")});

    // Decir que no al borrar no cambia nada; devolver da la consulta que se ve.
    f->TXTBuscar->setText("trabajo");
    entorno.respuestas = {RespuestaMensaje::No};
    f->BTNAUX_Click(2);
    EXPECT_EQ(leerConsultas().size(), 3u);
    f->BTNAUX_Click(0);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), "trabajo nuevo");
    EXPECT_EQ(Hexagrama.valor(), "967876");
    EXPECT_FALSE(f->isVisible());
}

// Archivo en la carpeta del programa, sin escritura: se ve, y la primera grabación lo copia con
// la nueva a la del usuario, que se usa desde entonces, y lo dice una vez. Del nombre se quita
// lo que no tiene Windows-1252 y lo que pasa de 30 caracteres; se graba lo que se ve, con la
// fecha de hoy, y si el disco no lo confirma se dice.
TEST_F(PantallasArchivo, GrabarConArchivoTrasladado) {
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

    auto* f = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    f->TXTUsuario->setText(QString(40, QChar(0x4E2D)) + QString::fromUtf8("josé\t\U0001F600"));
    // Cien mil caracteres pegados en medio: entra lo que cabe y lo de detrás sigue.
    f->TXTUsuario->setCursorPosition(2);
    f->TXTUsuario->insert(QString(100000, QLatin1Char('n')));
    fijarFalloSistema([](Llamada l) { return l == Llamada::SincronizarCarpeta ? EIO : 0; });
    f->BTNAUX_Click(0);
    fijarFalloSistema({});
    ASSERT_EQ(entorno.mensajes.size(), 2u); // el traslado y la falta de confirmación
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(QString::fromStdString(enUsuario.string())));
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), nullptr);
    EXPECT_EQ(leer(carpeta.ruta() / "usuarios.dat"), previo);
    const auto registros = leerConsultas();
    ASSERT_EQ(registros.size(), 2u);
    EXPECT_EQ(registros[0].bytes().substr(4), previo.substr(4)); // CAR, delante
    EXPECT_EQ(registros[1].Usuario(), "JO" + std::string(26, 'N') + "S\xC9");
    EXPECT_EQ(registros[1].Fecha(), QDate::currentDate().toString("dd/MM/yyyy").toStdString());
    EXPECT_EQ(registros[1].Lineas(), "777777"); // la figura que estaba en pantalla

    EXPECT_TRUE(GrabarConsulta("dan", "05/03/2026").trasladadoA.empty());
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(EliminarConsulta(0, leerConsultas()[0]));

    // Al borrar la última, el aviso sale con la pantalla ya oculta (también para el lector de
    // pantalla) y el archivo del programa no reaparece. Vacío o ilegible, se avisa al abrir.
    auto* g = abrirRecuperar();
    g->show();
    bool oculta = false;
    fijarServicioMensajes([&](const Mensaje& m) {
        if (entorno.mensajes.size() == 3) // el aviso que sigue al borrado
            oculta = !g->isVisible() && QAccessible::queryAccessibleInterface(g)->state().invisible;
        entorno.mensajes.push_back(m);
        return RespuestaMensaje::Si;
    });
    g->BTNAUX_Click(2);
    EXPECT_TRUE(oculta);
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Instancia(Pantalla::FRMRecuperar), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(enUsuario)); // vacío, para que el otro no vuelva
    abrirRecuperar();
    std::filesystem::remove(enUsuario);
    std::filesystem::create_directory(enUsuario);
    abrirRecuperar();
    EXPECT_EQ(entorno.mensajes.size(), 6u);
}
