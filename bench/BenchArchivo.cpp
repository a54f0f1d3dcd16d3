// Tiempos del archivo de consultas con 10.000 registros: grabar una (con su orden y su
// escritura segura) y borrar una.

#include "archive/ArchivoConsultas.h"
#include "core/CarpetaPrograma.h"
#include "core/EstadoConsulta.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

struct ArchivoGrande {
    ArchivoGrande() {
        carpeta = std::filesystem::temp_directory_path() / "hexora-banco-archivo";
        std::filesystem::create_directories(carpeta);
        hexora::fijarCarpetaPrograma(carpeta);
        std::filesystem::remove(carpeta / "usuarios.dat");
        std::vector<hexora::RegistroConsulta> registros(10000);
        for (std::size_t i = 0; i < registros.size(); ++i) {
            registros[i].fijarUsuario("USUARIO " + std::to_string(i % 500));
            registros[i].fijarTexto("pregunta " + std::to_string(i));
            registros[i].fijarLineas("967876");
            registros[i].fijarFecha("01/01/2026");
        }
        hexora::OrdenarArchivo(registros);
        std::string contenido;
        for (const auto& r : registros)
            contenido += r.bytes();
        std::ofstream(carpeta / "usuarios.dat", std::ios::binary) << contenido;
    }
    ~ArchivoGrande() { std::filesystem::remove_all(carpeta); }
    std::filesystem::path carpeta;
};

void GrabarEnArchivoDe10000(benchmark::State& estado) {
    ArchivoGrande archivo;
    hexora::Pregunta = "¿Una más?";
    hexora::Hexagrama = "777888";
    for (auto _ : estado) {
        hexora::GrabarConsulta("USUARIO 250", "02/02/2026");
        estado.PauseTiming();
        const auto registros = hexora::leerConsultas();
        hexora::EliminarConsulta(5000, registros[5000]); // vuelve a 10.000
        estado.ResumeTiming();
    }
}
BENCHMARK(GrabarEnArchivoDe10000)->Unit(benchmark::kMillisecond);

void BorrarDeArchivoDe10000(benchmark::State& estado) {
    ArchivoGrande archivo;
    for (auto _ : estado) {
        estado.PauseTiming();
        const auto registros = hexora::leerConsultas();
        estado.ResumeTiming();
        hexora::EliminarConsulta(5000, registros[5000]);
        estado.PauseTiming();
        hexora::GrabarConsulta("USUARIO 250", "02/02/2026"); // vuelve a 10.000
        estado.ResumeTiming();
    }
}
BENCHMARK(BorrarDeArchivoDe10000)->Unit(benchmark::kMillisecond);

} // namespace
