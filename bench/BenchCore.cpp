// Tiempos de la carga de datos: las tablas de referencia y el bloque de textos de un
// hexagrama con sus seis líneas mutantes, con la extracción de todas sus secciones.

#include "core/AlmacenTextos.h"
#include "core/CarpetaPrograma.h"
#include "core/Tablas.h"

#include <benchmark/benchmark.h>

namespace {

void CargarTablasCompletas(benchmark::State& estado) {
    hexora::fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
    for (auto _ : estado) {
        hexora::CargarTablas();
        benchmark::DoNotOptimize(hexora::TablaHexagramas[64][6]);
    }
}
BENCHMARK(CargarTablasCompletas)->Unit(benchmark::kMicrosecond);

void CargarYExtraerSeisMutantes(benchmark::State& estado) {
    hexora::fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
    hexora::CargarTablas();
    for (auto _ : estado) {
        hexora::CargarBuffer("969696"); // hexagrama 63 con sus seis líneas mutantes
        for (const char* codigo : {"D", "C", "I", "L1", "L2", "L3", "L4", "L5", "L6"}) {
            auto s = hexora::ExtraerSeccion(codigo);
            benchmark::DoNotOptimize(s);
        }
    }
}
BENCHMARK(CargarYExtraerSeisMutantes)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
