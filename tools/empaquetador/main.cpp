// Genera "trigr.chi", "hexagr.chi" y "BINARIO.dat" a partir de las fuentes de data/.
// Uso: empaquetador <carpeta de datos> <carpeta de salida>
//      empaquetador --revisar <carpeta de datos> <fuente de hexagrama>...

#include "Empaquetador.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace fs = std::filesystem;
using namespace hexora::empaquetador;

namespace {

std::string leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    if (!f)
        throw ErrorFuente(ruta.string(), 0, "no se puede abrir.");
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Escribe en un temporario y lo renombra, para no dejar nunca un archivo a medias.
void escribir(const fs::path& ruta, const std::string& contenido) {
    const fs::path temporal = ruta.string() + ".tmp";
    {
        std::ofstream f(temporal, std::ios::binary | std::ios::trunc);
        f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
        f.flush();
        if (!f)
            throw ErrorFuente(temporal.string(), 0, "no se puede escribir.");
    }
    fs::rename(temporal, ruta);
}

} // namespace

// Revisa unas fuentes sueltas y dice cuántos registros ocupa cada bloque.
int revisar(int argc, char** argv) {
    const fs::path rutaTrigramas = fs::path(argv[2]) / "trigramas.txt";
    const auto trigramas = leerTrigramas(rutaTrigramas.string(), leer(rutaTrigramas));
    for (int i = 3; i < argc; ++i) {
        const auto h = leerHexagrama(argv[i], leer(argv[i]), trigramas);
        std::cout << argv[i] << ": " << (h.pendiente ? "pendiente, " : "")
                  << entradasConTodasMutantes(h)
                  << " registros con las seis líneas mutantes (máximo 100)\n";
    }
    return 0;
}

int main(int argc, char** argv) {
    const bool revision = argc >= 3 && std::string(argv[1]) == "--revisar";
    if (argc != 3 && !revision) {
        std::cerr << "Uso: empaquetador <carpeta de datos> <carpeta de salida>\n"
                     "     empaquetador --revisar <carpeta de datos> <fuente>...\n";
        return 2;
    }
    try {
        if (revision)
            return revisar(argc, argv);
        const fs::path datos = argv[1];
        const fs::path salida = argv[2];
        const auto rutaTrigramas = datos / "trigramas.txt";
        const auto trigramas = leerTrigramas(rutaTrigramas.string(), leer(rutaTrigramas));

        std::vector<fs::path> fuentes;
        for (const auto& e : fs::directory_iterator(datos / "hexagramas")) {
            if (e.is_regular_file() && e.path().extension() == ".txt")
                fuentes.push_back(e.path());
        }
        std::sort(fuentes.begin(), fuentes.end());
        std::vector<HexagramaFuente> hexagramas;
        for (const auto& f : fuentes)
            hexagramas.push_back(leerHexagrama(f.string(), leer(f), trigramas));

        const auto paquete = empaquetar(trigramas, hexagramas);
        fs::create_directories(salida);
        escribir(salida / "trigr.chi", paquete.trigramas);
        escribir(salida / "hexagr.chi", paquete.hexagramas);
        escribir(salida / "BINARIO.dat", paquete.textos);
        std::cout << "Hexagramas con texto pendiente: " << paquete.pendientes << " de 64\n";
    } catch (const std::exception& e) {
        std::cerr << "empaquetador: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
