// Sin libFuzzer (compilación normal o con sanitizers): pasa por el objetivo cada archivo
// de las carpetas o archivos dados, para que las semillas y los casos de regresión corran
// en la suite. Sin ninguna entrada falla: una prueba que no prueba nada no debe pasar.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n);

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> entradas;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p = argv[i];
        if (std::filesystem::is_directory(p)) {
            for (const auto& e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file())
                    entradas.push_back(e.path());
        } else if (std::filesystem::is_regular_file(p)) {
            entradas.push_back(p);
        }
    }
    std::sort(entradas.begin(), entradas.end());
    for (const auto& e : entradas) {
        std::ifstream f(e, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(f),
                                std::istreambuf_iterator<char>()};
        std::printf("%s (%zu bytes)\n", e.filename().c_str(), bytes.size());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu entradas reproducidas\n", entradas.size());
    return entradas.empty() ? 1 : 0;
}
