#include "CarpetaTemporal.h"
#include "archive/ArchivoConsultas.h"
#include "core/CarpetaPrograma.h"
#include "core/ErrorArchivo.h"
#include "core/EstadoConsulta.h"
#include "core/LlamadasSistema.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
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
    void TearDown() override { fijarFalloSistema({}); }

    std::string contenido() const {
        std::ifstream f(carpeta.ruta() / "usuarios.dat", std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    void grabar(const std::string& usuario, const std::string& pregunta) {
        Pregunta = pregunta;
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

std::string relleno(std::string s, std::size_t n) {
    s.resize(n, ' ');
    return s;
}

// Ejecuta la función en un proceso hijo con montajes propios, que desaparecen con él, y
// devuelve lo que la función escribe. Si algo impide montar, lo que devuelve empieza por
// "\x01" seguido de la causa, para saltar la prueba diciéndola.
//
// Lo que el hijo monte sobre la carpeta no ha de llegar al sistema. No basta con hacer
// privada la raíz (en un chroot no es un punto de montaje): la carpeta se monta sobre sí
// misma y se hace privada esa, que el hijo copia privada; al acabar se desmonta.
std::string conMontajesPropios(const std::filesystem::path& carpeta,
                               const std::function<std::string()>& funcion) {
    const char* ruta = carpeta.c_str();
    if (mount(ruta, ruta, nullptr, MS_BIND, nullptr) != 0)
        return "\x01no se puede montar la carpeta de la prueba sobre sí misma (hace falta "
               "CAP_SYS_ADMIN): " +
               causaError(errno);
    if (mount(nullptr, ruta, nullptr, MS_PRIVATE, nullptr) != 0) {
        const int error = errno;
        umount2(ruta, MNT_DETACH);
        return "\x01no se puede hacer privado el montaje de la prueba: " + causaError(error);
    }
    int tubo[2];
    if (pipe(tubo) != 0) {
        umount2(ruta, MNT_DETACH);
        return "\x01no se puede crear una tubería";
    }
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        std::string salida;
        if (unshare(CLONE_NEWNS) != 0) {
            salida = "\x01no se puede crear un espacio de montajes propio: " + causaError(errno);
        } else {
            try {
                salida = funcion();
            } catch (const std::exception& e) {
                salida = std::string("excepción inesperada: ") + e.what();
            }
        }
        const ssize_t escrito = write(tubo[1], salida.data(), salida.size());
        _exit(escrito == static_cast<ssize_t>(salida.size()) ? 0 : 1);
    }
    close(tubo[1]);
    std::string leido;
    char trozo[512];
    for (ssize_t n; (n = read(tubo[0], trozo, sizeof trozo)) > 0;)
        leido.append(trozo, static_cast<std::size_t>(n));
    close(tubo[0]);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    umount2(ruta, MNT_DETACH);
    return leido;
}

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

} // namespace

TEST_F(ArchivoConsultas, OrdenEstablePorUsuarioYNumeracion) {
    grabar("zoe", "primera");
    grabar("ANA", "segunda");
    EXPECT_EQ(usuariosYPreguntas(), (V{"0001 ANA segunda", "0002 ZOE primera"}));
    grabar("ana", "tercera");
    grabar("Ana ", "cuarta");
    grabar("jos\xE9", "quinta"); // josé
    EXPECT_EQ(usuariosYPreguntas(), (V{"0001 ANA segunda", "0002 ANA tercera", "0003 ANA cuarta",
                                       "0004 JOS\xC9 quinta", "0005 ZOE primera"}));
    EXPECT_EQ(normalizarUsuario(std::string(40, 'x')), std::string(30, 'X'));
    EXPECT_EQ(normalizarUsuario(" \xF1"
                                "and\xFA "),
              "\xD1"
              "AND\xDA"); // ñandú
}

TEST_F(ArchivoConsultas, ArchivoAjenoSeConservaAlGrabar) {
    // Un archivo de otro programa: desordenado, con bytes reservados que no son NUL.
    std::string ajeno;
    for (const char* u : {"PEDRO", "LUIS"}) {
        auto r = RegistroConsulta();
        r.fijarNumero("0009");
        r.fijarUsuario(u);
        r.fijarTexto("x");
        r.fijarLineas("777777");
        r.fijarFecha("01/01/1999");
        std::string b(r.bytes());
        b[4] = 'R';
        b[159] = 'Z';
        ajeno += b;
    }
    carpeta.escribir("usuarios.dat", ajeno);
    grabar("MARIA", "nueva");
    const auto registros = leerConsultas();
    ASSERT_EQ(registros.size(), 3u);
    EXPECT_EQ(recortar(registros[0].Usuario()), "LUIS");
    EXPECT_EQ(registros[0].bytes().substr(4), ajeno.substr(160 + 4)); // todo menos Numero
    EXPECT_EQ(registros[0].Numero(), "0001");
    EXPECT_EQ(recortar(registros[1].Usuario()), "MARIA");
    EXPECT_EQ(registros[2].bytes().substr(4), ajeno.substr(4, 156));

    // Borrar un registro que ya no está en esa posición (otro cambió el archivo) no toca nada.
    const std::string antes = contenido();
    EXPECT_FALSE(EliminarConsulta(1, registros[0]));
    EXPECT_EQ(contenido(), antes);
}

TEST_F(ArchivoConsultas, ArchivoDanadoNoSeToca) {
    const std::string danado = std::string(161, 'x');
    carpeta.escribir("usuarios.dat", danado);
    try {
        grabar("ANA", "uno");
        FAIL();
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(e.archivo(), "usuarios.dat");
        EXPECT_NE(std::string(e.what()).find("161 bytes"), std::string::npos);
    }
    EXPECT_THROW(EliminarConsulta(0, RegistroConsulta()), ErrorArchivo);
    EXPECT_EQ(contenido(), danado);
}

namespace {

// Un registro escrito a mano, byte a byte, sin pasar por el código que se prueba.
std::string registroAMano(const std::string& numero, const std::string& usuario,
                          const std::string& texto) {
    const std::string nul(1, '\0');
    return numero + nul + relleno(usuario, 30) + nul + relleno(texto, 100) + nul + "967876" + nul +
           "05/03/2026" + std::string(6, '\0');
}

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
    const std::string anaCar = ana + registroAMano("0002", "CAR", "c");
    return {
        {"grabar", anaCar, ana + bea + car,
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
        int errores = 0, sinConfirmar = 0, exitos = 0;
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
                ++exitos;
                EXPECT_EQ(enDisco(), op.despues);
            } else if (mensaje.find("sin confirmar") != std::string::npos) {
                ++sinConfirmar;
                EXPECT_EQ(enDisco(), op.despues);
                EXPECT_TRUE(fallida == Llamada::SincronizarCarpeta || fallida == Llamada::Abrir ||
                            fallida == Llamada::Cerrar);
            } else {
                ++errores;
                EXPECT_EQ(enDisco(), op.antes);
                EXPECT_NE(mensaje.find("\"usuarios.dat\" no se"), std::string::npos) << mensaje;
                EXPECT_NE(mensaje.find(causaError(errorPara(fallida))), std::string::npos)
                    << mensaje;
            }
            EXPECT_EQ(archivosEn(carpeta.ruta()), enDisco() ? 1u : 0u); // ningún temporal
        }
        std::printf("[ cifras   ] %s: %d llamadas; %d errores avisados, %d cambios sin "
                    "confirmar avisados, %d fallos inocuos\n",
                    op.nombre.c_str(), total, errores, sinConfirmar, exitos);
        EXPECT_GE(errores, 3);      // stat, apertura y lectura al menos
        EXPECT_GE(sinConfirmar, 2); // abrir y sincronizar la carpeta al menos
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

// Programa instalado en una carpeta sin escritura que ya tenía un archivo: se ve desde el
// principio; la primera grabación lo copia con la nueva a la carpeta del usuario (y lo dice),
// y desde entonces se usa ese. Vaciarlo no hace reaparecer el de la carpeta del programa.
TEST_F(ArchivoConsultas, ArchivoDeLaCarpetaDelProgramaNoSeEsconde) {
    CarpetaTemporal usuario; // pasa a ser la del programa: se vuelve a la de la prueba
    fijarCarpetaPrograma(carpeta.ruta());
    fijarCarpetaEscritura(usuario.ruta());
    const std::string previo =
        registroAMano("0001", "ANA", "a") + registroAMano("0002", "CAR", "c");
    carpeta.escribir("usuarios.dat", previo);
    EXPECT_EQ(leerConsultas().size(), 2u);

    Pregunta = "b";
    const auto primera = GrabarConsulta("bea", "05/03/2026");
    EXPECT_EQ(primera.trasladadoA, usuario.ruta() / "usuarios.dat");
    const std::string tres = registroAMano("0001", "ANA", "a") + registroAMano("0002", "BEA", "b") +
                             registroAMano("0003", "CAR", "c");
    EXPECT_EQ(contenido(), previo); // el de la carpeta del programa, intacto
    const auto enUsuario = [&] {
        std::ifstream f(usuario.ruta() / "usuarios.dat", std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    };
    EXPECT_EQ(enUsuario(), tres);
    EXPECT_TRUE(GrabarConsulta("dan", "05/03/2026").trasladadoA.empty()); // se dice una vez
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(EliminarConsulta(0, leerConsultas()[0]));
    EXPECT_EQ(enUsuario(), "");
    EXPECT_TRUE(leerConsultas().empty());
    fijarCarpetaEscritura({});
}

// Lo que no es un archivo legible nunca se toma por un archivo vacío: se avisa con la causa,
// sin excepciones de la biblioteca estándar, y no se escribe nada encima.
TEST_F(ArchivoConsultas, LoQueNoSePuedeLeerNoEsUnArchivoVacio) {
    std::filesystem::create_directory(carpeta.ruta() / "usuarios.dat");
    EXPECT_NE(mensajeDe([] { leerConsultas(); }).find("no es un archivo normal"),
              std::string::npos);
    EXPECT_THROW(grabar("ANA", "uno"), ErrorArchivo);
    EXPECT_TRUE(std::filesystem::is_empty(carpeta.ruta() / "usuarios.dat"));
    std::filesystem::remove(carpeta.ruta() / "usuarios.dat");

    grabar("ANA", "uno");
    const std::string antes = contenido();
    for (Llamada l : {Llamada::Stat, Llamada::Leer}) {
        for (int error : {EIO, EACCES}) {
            fijarFalloSistema([l, error](Llamada x) { return x == l ? error : 0; });
            const std::string m = mensajeDe([&] { grabar("BEA", "dos"); });
            fijarFalloSistema({});
            EXPECT_NE(m.find(causaError(error)), std::string::npos) << m;
            EXPECT_EQ(contenido(), antes);
        }
    }
}

// Un archivo marcado de solo lectura no se sustituye ni se borra, aunque la carpeta deje
// (también para root): se avisa y queda como estaba, marca incluida.
TEST_F(ArchivoConsultas, ArchivoDeSoloLecturaSeRespeta) {
    grabar("ANA", "uno");
    const std::string antes = contenido();
    const auto ruta = carpeta.ruta() / "usuarios.dat";
    std::filesystem::permissions(ruta, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    const std::string alGrabar = mensajeDe([&] { grabar("BEA", "dos"); });
    EXPECT_NE(alGrabar.find("\"usuarios.dat\""), std::string::npos) << alGrabar;
    EXPECT_NE(alGrabar.find("solo lectura"), std::string::npos) << alGrabar;
    const std::string alBorrar = mensajeDe([&] { EliminarConsulta(0, leerConsultas()[0]); });
    EXPECT_NE(alBorrar.find("solo lectura"), std::string::npos) << alBorrar;
    EXPECT_EQ(contenido(), antes);
    EXPECT_EQ(std::filesystem::status(ruta).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    EXPECT_EQ(archivosEn(carpeta.ruta()), 1u);
}

// Con la carpeta montada de solo lectura, grabar y borrar avisan y el archivo sigue entero.
TEST_F(ArchivoConsultas, CarpetaDeSoloLectura) {
    grabar("ANA", "uno");
    grabar("BEA", "dos");
    const std::string antes = contenido();
    const std::string ruta = carpeta.ruta().string();
    const auto informe = conMontajesPropios(carpeta.ruta(), [&] {
        if (mount(ruta.c_str(), ruta.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, ruta.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return "\x01no se puede montar la carpeta de solo lectura: " + causaError(errno);
        return mensajeDe([&] { grabar("CAR", "tres"); }) + "\n" +
               mensajeDe([&] { EliminarConsulta(0, leerConsultas()[0]); }) + "\n" +
               std::to_string(contenido() == antes) + std::to_string(archivosEn(ruta));
    });
    if (informe.rfind('\x01', 0) == 0)
        GTEST_SKIP() << informe.substr(1);
    const std::string mensaje = "El archivo \"usuarios.dat\" no se ha podido guardar: el disco es "
                                "de solo lectura (error 30). El archivo anterior sigue como "
                                "estaba.\n";
    EXPECT_EQ(informe, mensaje + mensaje + "11");
    EXPECT_EQ(contenido(), antes);
}

// El disco se llena a mitad de la escritura: se avisa de la falta de espacio, el archivo
// anterior sigue entero y, con sitio de nuevo, la misma consulta se graba.
TEST_F(ArchivoConsultas, DiscoQueSeLlenaAlGrabar) {
    const std::string ruta = carpeta.ruta().string();
    const auto informe = conMontajesPropios(carpeta.ruta(), [&] {
        // Un disco de 64 KiB con el archivo de 100 consultas (16 000 bytes) y un relleno que
        // deja libres menos páginas de las que ocupa el archivo nuevo.
        if (mount("tmpfs", ruta.c_str(), "tmpfs", 0, "size=64k") != 0)
            return "\x01no se puede montar un disco pequeño: " + causaError(errno);
        for (int i = 0; i < 100; ++i)
            grabar("USUARIO " + std::to_string(i % 7), "pregunta " + std::to_string(i));
        const std::string antes = contenido();
        std::ofstream relleno(carpeta.ruta() / "relleno", std::ios::binary);
        relleno << std::string(64 * 1024 - 16384 - 2 * 4096, 'r');
        relleno.close();
        const std::string lleno = mensajeDe([&] { grabar("ZOE", "la que no cabe"); });
        const bool intacto = contenido() == antes && archivosEn(ruta) == 2;
        std::filesystem::remove(carpeta.ruta() / "relleno");
        const std::string conSitio = mensajeDe([&] { grabar("ZOE", "la que no cabe"); });
        return lleno + "\n" + std::to_string(intacto) + "\n" + conSitio + "\n" +
               std::to_string(leerConsultas().size());
    });
    if (informe.rfind('\x01', 0) == 0)
        GTEST_SKIP() << informe.substr(1);
    EXPECT_EQ(informe, "El archivo \"usuarios.dat\" no se ha podido guardar: no queda espacio en "
                       "el disco (error 28). El archivo anterior sigue como estaba.\n1\nsin "
                       "error\n101");
}
