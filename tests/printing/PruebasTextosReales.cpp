// La maquetación con los 64 textos de verdad y las letras de verdad, contra la silabación
// de referencia (libhyphen con los patrones de hyphen-es, llamada directamente). Que las
// palabras se partan con guion se ve en el PDF de verdad (PruebasImprimir).

#include "CarpetaTemporal.h"
#include "SilabasReferencia.h"
#include "core/AlmacenTextos.h"
#include "core/Tablas.h"
#include "core/Texto.h"
#include "platform/FuentesImpresion.h"
#include "platform/ImpresoraQt.h"
#include "platform/MedidaQt.h"
#include "platform/Plataforma.h"
#include "printing/Maquetacion.h"

#include <QFontInfo>
#include <QPrinter>

#include <gtest/gtest.h>

using namespace hexora;

namespace {
// El texto sin blancos ni guiones: lo que no puede cambiar al partirlo en líneas.
std::string soloLetras(std::string_view texto) {
    std::string r;
    for (const char c : texto)
        if (c != ' ' && c != '-')
            r += c;
    return r;
}
} // namespace

// El texto de cada hexagrama, con todas sus secciones, cabe en el ancho imprimible a todos
// los cuerpos de 8 a 24 puntos en las dos letras de la máquina, sin perder ni desordenar
// nada, y cada palabra que se parte lo hace donde lo deja el español.
TEST(TextosReales, CabenATodosLosCuerposYSePartenComoEnEspanol) {
    const SilabasReferencia espanol;
    CarpetaTemporal carpeta;
    for (const char* nombre : {"trigr.chi", "hexagr.chi", "BINARIO.dat"})
        std::filesystem::copy_file(std::filesystem::path(HEXORA_CARPETA_PROGRAMA) / nombre,
                                   carpeta.ruta() / nombre);
    CargarTablas();
    ImpresoraQt impresora; // A4 con los márgenes del programa
    const double limite = static_cast<double>(impresora.anchoPagina()) - kReservaDerecha;
    MedidaQt medida(impresora.impresora());
    MedidaQt regla(impresora.impresora()); // mide cada línea acabada, entera
    for (const std::string& familia :
         {fuentePorOmision().nombre, std::string("DejaVu Sans Mono")}) {
        ASSERT_EQ(QFontInfo(fuenteImpresion(familia, 12, false, false)).family().toStdString(),
                  familia);
        regla.fijarNombreFuente(familia);
        // Cada figura de seis líneas viejas trae un hexagrama distinto con todas sus secciones.
        for (int n = 0; n < 64; ++n) {
            std::string figura;
            for (int k = 0; k < 6; ++k)
                figura += (n >> k) & 1 ? '9' : '6';
            CargarBuffer(figura);
            std::string entradas;
            for (std::size_t j = 1; BufferTexto[j].recortado() != "**"; ++j)
                if (BufferTexto[j].valor()[0] != '*')
                    entradas += recortarDerecha(BufferTexto[j].valor());
            for (int puntos = 8; puntos <= 24; ++puntos) {
                const std::string donde = familia + " " + std::to_string(puntos) + " " + figura;
                std::vector<std::string> lineas;
                MaquetarTexto(medida, {familia, static_cast<double>(puntos)}, kMargenIzquierdo,
                              limite, [&](const std::string& l) { lineas.push_back(l); });
                regla.fijarTamanoFuente(puntos);
                std::string impreso;
                for (std::size_t i = 0; i < lineas.size(); ++i) {
                    const std::string& l = lineas[i];
                    if (l.rfind(kMarcaCabecera, 0) == 0)
                        continue;
                    impreso += l;
                    regla.Cls();
                    regla.imprimir(recortarDerecha(l));
                    EXPECT_LE(kMargenIzquierdo + regla.x(), limite) << donde << ": " << l;
                    if (l.size() < 2 || l.back() != '-' || l[l.size() - 2] == ' ' ||
                        i + 1 == lineas.size())
                        continue;
                    const QString antes = textoQt(l.substr(l.find_last_of(' ') + 1)).chopped(1);
                    const QString despues =
                        textoQt(lineas[i + 1]).section(' ', 0, 0, QString::SectionSkipEmpty);
                    EXPECT_TRUE(espanol.permite(antes + despues, static_cast<int>(antes.size())))
                        << donde << ": " << (antes + "-" + despues).toStdString();
                }
                EXPECT_EQ(soloLetras(impreso), soloLetras(entradas)) << donde;
            }
        }
    }
}
