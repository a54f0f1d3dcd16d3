// Tiempos de la impresión: la maquetación del bloque de texto más largo (todas sus líneas
// mutantes), midiendo con la letra en el dispositivo de la impresora, partiendo palabras con
// los patrones de guiones y escribiendo "inter.tmp", y el informe completo de ese
// hexagrama a un PDF.

#include "core/AlmacenTextos.h"
#include "core/CarpetaPrograma.h"
#include "core/Tablas.h"
#include "core/Texto.h"
#include "platform/FuentesImpresion.h"
#include "platform/ImpresoraQt.h"
#include "platform/MedidaQt.h"
#include "platform/Plataforma.h"
#include "printing/Informe.h"
#include "printing/Silabacion.h"

#include <QApplication>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

// Carga en el buffer el hexagrama cuyo texto, con las seis líneas mutantes, es más largo.
std::string cargarBloqueMayor() {
    hexora::fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
    hexora::CargarTablas();
    std::string mayor;
    std::size_t caracteresMayor = 0;
    for (int n = 0; n < 64; ++n) {
        std::string figura;
        for (int k = 0; k < 6; ++k)
            figura += (n >> k) & 1 ? '9' : '6';
        hexora::CargarBuffer(figura);
        std::size_t caracteres = 0;
        for (std::size_t j = 1;
             j <= hexora::kEntradasBuffer && hexora::BufferTexto[j].recortado() != "**"; ++j)
            caracteres += hexora::recortarDerecha(hexora::BufferTexto[j]).size();
        if (caracteres > caracteresMayor) {
            caracteresMayor = caracteres;
            mayor = figura;
        }
    }
    hexora::CargarBuffer(mayor);
    return mayor;
}

fs::path carpetaBanco() {
    const fs::path c = fs::temp_directory_path() / "hexora-banco-impresion";
    fs::create_directories(c);
    return c;
}

// Con el primer argumento a 1, cada vuelta mide la letra y lee los patrones de guiones
// desde cero, como la primera impresión de la sesión; con 0, aprovecha lo leído y medido
// antes, como las siguientes. El segundo es el cuerpo de la letra: a 24 puntos se parten
// muchas más líneas y palabras.
void MaquetarBloqueMayor(benchmark::State& estado) {
    estado.SetLabel("figura " + cargarBloqueMayor());
    hexora::ImpresoraQt impresora;
    hexora::Fuente fuente = hexora::fuentePorOmision();
    fuente.tamano = static_cast<double>(estado.range(1));
    const double limite = static_cast<double>(impresora.anchoPagina()) - hexora::kReservaDerecha;
    const fs::path intermedio = carpetaBanco() / hexora::kArchivoIntermedio;
    auto medida = std::make_unique<hexora::MedidaQt>(impresora.impresora());
    for (auto _ : estado) {
        if (estado.range(0) == 1) {
            medida = std::make_unique<hexora::MedidaQt>(impresora.impresora());
            hexora::fijarPatronesSilabacion({});
        }
        hexora::MaquetarArchivo(*medida, fuente, hexora::kMargenIzquierdo, limite, intermedio);
    }
}
BENCHMARK(MaquetarBloqueMayor)
    ->ArgsProduct({{0, 1}, {11, 24}})
    ->ArgNames({"desde_cero", "puntos"})
    ->Unit(benchmark::kMillisecond);

// El cuerpo a 11 o a 24 puntos (la cabecera del segundo informe sale también a 24).
void InformeAPdf(benchmark::State& estado) {
    const std::string figura = cargarBloqueMayor();
    estado.SetLabel("figura " + figura);
    hexora::FuenteTexto = hexora::fuentePorOmision();
    hexora::FuenteTexto.tamano = static_cast<double>(estado.range(0));
    hexora::ImpresoraQt impresora;
    hexora::MedidaQt medida(impresora.impresora());
    const fs::path carpeta = carpetaBanco();
    impresora.impresora().setOutputFormat(QPrinter::PdfFormat);
    impresora.impresora().setOutputFileName(
        QString::fromStdString((carpeta / "informe.pdf").string()));
    hexora::DatosInforme datos{"\xBFQu\xE9 conviene hacer?",
                               "HEXAGRAMA PRINCIPAL",
                               {},
                               {"Arriba", "Abajo"},
                               {"1-T\xEDtulo", "Segundo nombre"}};
    std::copy_n(figura.begin(), 6, datos.lineas.begin());
    const auto fallar = [](const hexora::AvisoFallo& a) -> hexora::RespuestaFallo {
        throw std::runtime_error(a.texto);
    };
    for (auto _ : estado) {
        const auto fin = hexora::Imprimir(datos, impresora, medida, fallar,
                                          carpeta / hexora::kArchivoIntermedio);
        if (fin != hexora::FinImpresion::Terminado)
            estado.SkipWithError("el informe no terminó");
    }
}
BENCHMARK(InformeAPdf)->ArgName("puntos")->Arg(11)->Arg(24)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication aplicacion(argc, argv);
    hexora::conectarEventosLogica();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(carpetaBanco(), ec);
    return 0;
}
