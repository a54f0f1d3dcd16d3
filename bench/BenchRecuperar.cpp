// Tiempos de la pantalla de recuperar con 10.000 consultas archivadas: abrirla (leer el
// archivo y llenar las dos listas) y filtrar con cada pulsación en el cuadro de búsqueda.

#include "archive/ArchivoConsultas.h"
#include "archive/FRMRecuperar.h"
#include "core/CarpetaPrograma.h"
#include "core/Tablas.h"
#include "platform/Formulario.h"
#include "platform/Plataforma.h"
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

fs::path carpetaBanco() { return fs::temp_directory_path() / "hexora-banco-recuperar"; }

// 10.000 consultas de 500 usuarios, con acentos, ordenadas como las deja el programa.
void escribirArchivo() {
    fs::create_directories(carpetaBanco());
    std::vector<hexora::RegistroConsulta> registros(10000);
    for (std::size_t i = 0; i < registros.size(); ++i) {
        registros[i].fijarUsuario("USUARIO N\xDA\xD1"
                                  "EZ " +
                                  std::to_string(i % 500));
        registros[i].fijarTexto("\xBFQu\xE9 pasar\xE1 con el asunto n\xFAmero " +
                                std::to_string(i) + " este a\xF1o?");
        registros[i].fijarLineas("967876");
        registros[i].fijarFecha("01/01/2026");
    }
    hexora::OrdenarArchivo(registros);
    std::ofstream f(carpetaBanco() / "usuarios.dat", std::ios::binary);
    for (const auto& r : registros)
        f << r.bytes();
}

hexora::FRMRecuperar* pantalla() {
    return static_cast<hexora::FRMRecuperar*>(hexora::Cargar(hexora::Pantalla::FRMRecuperar));
}

void AbrirRecuperarCon10000(benchmark::State& estado) {
    for (auto _ : estado) {
        auto* f = pantalla();
        f->Form_Activate();
        if (f->CMBUSUARIO->count() != 10000)
            estado.SkipWithError("no se han cargado las 10.000 consultas");
        estado.PauseTiming();
        f->hide();
        estado.ResumeTiming();
    }
}
BENCHMARK(AbrirRecuperarCon10000)->Unit(benchmark::kMillisecond);

// Lo que se teclea letra a letra: cada paso es una pulsación.
void FiltrarPorPulsacion(benchmark::State& estado) {
    auto* f = pantalla();
    f->Form_Activate();
    const QString tecleado = QStringLiteral("nunez 12");
    int paso = 0;
    for (auto _ : estado) {
        f->TXTBuscar->setText(tecleado.left(paso % tecleado.size() + 1));
        ++paso;
    }
    f->hide();
}
BENCHMARK(FiltrarPorPulsacion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication aplicacion(argc, argv);
    hexora::conectarEventosLogica();
    hexora::fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
    hexora::CargarTablas();
    escribirArchivo();
    hexora::fijarCarpetaPrograma(carpetaBanco());
    hexora::registrarPantallas();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(carpetaBanco(), ec);
    return 0;
}
