// Pasada de maquetación sobre un BufferTexto cualquiera: cada línea de la entrada (hasta
// un salto) es una entrada del buffer, cortada a 80 como al cargarla; el primer byte da el
// ancho de la página. La medida es falsa y da a cada carácter un ancho según su byte; con
// ella se comprueba que ninguna línea pasa del límite.

#include "ComunFuzz.h"
#include "core/AlmacenTextos.h"
#include "core/Texto.h"
#include "printing/Maquetacion.h"

#include <cstdint>
#include <string>

using namespace hexora;

namespace {

class MedidaFalsa : public SuperficieMedida {
public:
    void Cls() override { x_ = 0; }
    void fijarX(double x) override { x_ = x; }
    double x() const override { return x_; }
    void fijarNombreFuente(const std::string&) override {}
    void fijarTamanoFuente(double) override {}
    void fijarNegrita(bool) override {}
    void fijarSubrayado(bool) override {}
    void imprimir(std::string_view t) override { x_ += ancho(t); }

    static double ancho(std::string_view t) {
        double a = 0;
        for (const char c : t)
            a += 40 + static_cast<unsigned char>(c) % 8 * 20;
        return a;
    }

private:
    double x_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1)
        return 0;
    const double margen = 500;
    const double limite = margen + 100.0 * datos[0]; // de ningún carácter a unos doscientos
    const std::string texto(reinterpret_cast<const char*>(datos) + 1, n - 1);

    for (auto& e : BufferTexto)
        e = "";
    std::size_t j = 1;
    for (std::size_t ini = 0; ini <= texto.size() && j <= kEntradasBuffer; ++j) {
        const auto fin = std::min(texto.find('\n', ini), texto.size());
        BufferTexto[j] = std::string_view(texto).substr(ini, fin - ini);
        ini = fin + 1;
    }

    MedidaFalsa medida;
    std::size_t lineas = 0;
    std::size_t caracteres = 0;
    MaquetarTexto(medida, {"Serifa", 11}, margen, limite, [&](const std::string& l) {
        ++lineas;
        caracteres += l.size();
        // Impresa (sin los espacios del final, que no se ven) cabe, salvo que sea un solo
        // carácter más ancho que toda la línea.
        if (l.rfind(kMarcaCabecera, 0) == 0)
            return;
        const std::string_view visible = recortarDerecha(l);
        const bool uno = visible.find_first_not_of(' ') + 1 == visible.size();
        fuzz::comprobar(uno || margen + MedidaFalsa::ancho(visible) <= limite,
                        "una línea pasa del límite");
    });
    // Cada línea sale por un carácter, una cabecera o un fin de párrafo del buffer, así que
    // no puede haber más líneas que caracteres en él (más el guion y la sangría de cada una).
    const std::size_t enBuffer = kEntradasBuffer * (kLongitudRegistro + 1);
    fuzz::comprobar(lineas <= 2 * enBuffer && caracteres <= 8 * enBuffer,
                    "la maquetación da más de lo que hay en el buffer");
    return 0;
}
