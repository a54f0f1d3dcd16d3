#include "CarpetaTemporal.h"
#include "archive/ArchivoConsultas.h"
#include "core/CarpetaPrograma.h"
#include "core/ErrorArchivo.h"
#include "core/EscrituraAtomica.h"
#include "core/EstadoConsulta.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
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
    void TearDown() override { fijarFalloEscritura({}); }

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
// devuelve lo que la función escribe. Montar exige ser root (lo es la integración
// continua); si no se puede, devuelve nada.
std::optional<std::string> conMontajesPropios(const std::function<std::string()>& funcion) {
    int tubo[2];
    if (pipe(tubo) != 0)
        return std::nullopt;
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        std::string salida = "\x01";
        if (unshare(CLONE_NEWNS) == 0 &&
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
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
    if (leido == "\x01")
        return std::nullopt;
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

TEST_F(ArchivoConsultas, RegistroByteAByte) {
    GrabarConsulta("  ana  ", formatearFecha(5, 3, 2026));
    const std::string nul(1, '\0');
    const std::string esperado = "0001" + nul + relleno("ANA", 30) + nul +
                                 relleno("\xBFQu\xE9 hago?", 100) + nul + "967876" + nul +
                                 "05/03/2026" + std::string(6, '\0');
    ASSERT_EQ(esperado.size(), 160u);
    EXPECT_EQ(contenido(), esperado);
}

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
}

TEST_F(ArchivoConsultas, BorrarConservaLosBytesDeLosDemas) {
    grabar("ANA", "uno");
    grabar("BEA", "dos");
    grabar("CAR", "tres");
    const std::string antes = contenido();
    auto registros = leerConsultas();

    EXPECT_FALSE(EliminarConsulta(1, registros[0])); // no es el que está ahí
    EXPECT_EQ(contenido(), antes);

    ASSERT_TRUE(EliminarConsulta(1, registros[1]));
    EXPECT_EQ(contenido(), antes.substr(0, 160) + antes.substr(320, 160)); // "0001" y "0003"
    registros = leerConsultas();
    ASSERT_TRUE(EliminarConsulta(0, registros[0]));
    ASSERT_TRUE(EliminarConsulta(0, leerConsultas()[0]));
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat"));
    EXPECT_TRUE(leerConsultas().empty());
    grabar("DAN", "otra vez");
    EXPECT_EQ(contenido().size(), 160u);
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

// Un fallo en cualquier paso de la escritura deja el archivo anterior entero y no deja
// temporales.
TEST_F(ArchivoConsultas, UnFalloEnCualquierPasoDejaElArchivoAnterior) {
    grabar("ANA", "uno");
    grabar("BEA", "dos");
    const std::string antes = contenido();
    for (auto paso : {PasoEscritura::Crear, PasoEscritura::Escribir, PasoEscritura::Sincronizar,
                      PasoEscritura::Cerrar, PasoEscritura::Renombrar}) {
        fijarFalloEscritura([paso](PasoEscritura p) { return p == paso; });
        EXPECT_THROW(grabar("CAR", "tres"), ErrorArchivo);
        EXPECT_THROW(EliminarConsulta(0, leerConsultas()[0]), ErrorArchivo);
        EXPECT_EQ(contenido(), antes);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta.ruta()),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

// Un proceso que graba sin parar y muere de golpe en un momento cualquiera deja siempre
// un archivo completo: el de antes de la última grabación o el de después.
TEST_F(ArchivoConsultas, MatarElProcesoEnCualquierMomentoNoRompeElArchivo) {
    std::mt19937 azar(12345);
    std::size_t anteriores = 0;
    for (int ronda = 0; ronda < 30; ++ronda) {
        const pid_t hijo = fork();
        ASSERT_GE(hijo, 0);
        if (hijo == 0) {
            for (int i = 0;; ++i) {
                Pregunta = "pregunta " + std::to_string(i);
                GrabarConsulta(i % 2 ? "ZOE" : "ANA", "01/02/2026");
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(azar() % 4000));
        kill(hijo, SIGKILL);
        waitpid(hijo, nullptr, 0);
        const auto registros = leerConsultas(); // lanza si el tamaño no es múltiplo de 160
        ASSERT_GE(registros.size(), anteriores);
        for (std::size_t r = 0; r < registros.size(); ++r) {
            std::string numero = std::to_string(r + 1);
            numero.insert(0, 4 - numero.size(), '0');
            ASSERT_EQ(registros[r].Numero(), numero);
            if (r > 0) {
                ASSERT_LE(registros[r - 1].Usuario(), registros[r].Usuario());
            }
            ASSERT_EQ(registros[r].Lineas(), "967876");
        }
        anteriores = registros.size();
    }
    EXPECT_GT(anteriores, 0u);
}

// Con el programa instalado en una carpeta sin escritura, el archivo va a la del usuario.
TEST_F(ArchivoConsultas, CarpetaDeEscrituraAparte) {
    CarpetaTemporal usuario; // pasa a ser la del programa; se vuelve a la de la prueba
    const auto datosUsuario = usuario.ruta();
    fijarCarpetaPrograma(carpeta.ruta());
    fijarCarpetaEscritura(datosUsuario);
    grabar("ANA", "uno");
    fijarCarpetaEscritura({});
    EXPECT_TRUE(std::filesystem::exists(datosUsuario / "usuarios.dat"));
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat"));
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
    const auto informe = conMontajesPropios([&] {
        if (mount(ruta.c_str(), ruta.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, ruta.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return std::string("\x01");
        return mensajeDe([&] { grabar("CAR", "tres"); }) + "\n" +
               mensajeDe([&] { EliminarConsulta(0, leerConsultas()[0]); }) + "\n" +
               std::to_string(contenido() == antes) + std::to_string(archivosEn(ruta));
    });
    if (!informe || *informe == "\x01")
        GTEST_SKIP() << "Hace falta ser root para montar la carpeta de solo lectura.";
    EXPECT_EQ(*informe, "El archivo \"usuarios.dat\" no se ha podido guardar (la carpeta del "
                        "programa es de solo lectura). El archivo anterior sigue como estaba.\n"
                        "El archivo \"usuarios.dat\" no se ha podido guardar (la carpeta del "
                        "programa es de solo lectura). El archivo anterior sigue como estaba.\n"
                        "11");
    EXPECT_EQ(contenido(), antes);
}

// El disco se llena a mitad de la escritura: se avisa de la falta de espacio, el archivo
// anterior sigue entero y, con sitio de nuevo, la misma consulta se graba.
TEST_F(ArchivoConsultas, DiscoQueSeLlenaAlGrabar) {
    const std::string ruta = carpeta.ruta().string();
    const auto informe = conMontajesPropios([&] {
        // Un disco de 64 KiB con el archivo de 100 consultas (16 000 bytes) y un relleno que
        // deja libres menos páginas de las que ocupa el archivo nuevo.
        if (mount("tmpfs", ruta.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("\x01");
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
    if (!informe || *informe == "\x01")
        GTEST_SKIP() << "Hace falta ser root para montar un disco pequeño.";
    EXPECT_EQ(*informe, "El archivo \"usuarios.dat\" no se ha podido guardar (no queda espacio "
                        "en el disco). El archivo anterior sigue como estaba.\n1\nsin error\n101");
}
