// La maquetación con los 64 textos de verdad y las letras de verdad: cada línea cabe en el
// ancho imprimible a todos los cuerpos, no se pierde ni se desordena nada, y cada palabra
// se parte solo donde lo deja la silabación española.

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

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Vacío si los dos textos llevan lo mismo; si no, dónde empiezan a diferir.
std::string diferencia(const std::string& a, const std::string& b) {
    const std::size_t n = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    if (n == a.size() && n == b.size())
        return {};
    const std::size_t desde = n < 20 ? 0 : n - 20;
    return "\"" + a.substr(desde, 40) + "\" frente a \"" + b.substr(desde, 40) + "\"";
}

} // namespace

TEST(TextosReales, CadaLineaCabeATodosLosCuerposYSoloSeParteDondeDejaElEspanol) {
    CarpetaTemporal carpeta;
    for (const char* nombre : {"trigr.chi", "hexagr.chi", "BINARIO.dat"})
        std::filesystem::copy_file(std::filesystem::path(HEXORA_CARPETA_PROGRAMA) / nombre,
                                   carpeta.ruta() / nombre);
    CargarTablas();
    const SilabasReferencia espanol;
    ASSERT_TRUE(espanol.cargada());
    ImpresoraQt impresora; // A4 con los márgenes del programa
    const double limite = static_cast<double>(impresora.anchoPagina()) - kReservaDerecha;
    MedidaQt medida(impresora.impresora());
    MedidaQt regla(impresora.impresora()); // mide cada línea acabada, entera

    for (const std::string& familia :
         {fuentePorOmision().nombre, std::string("DejaVu Sans Mono")}) {
        ASSERT_EQ(QFontInfo(fuenteImpresion(familia, 12, false, false)).family().toStdString(),
                  familia);
        regla.fijarNombreFuente(familia);
        // Cada figura de seis líneas viejas trae un hexagrama distinto con todas sus
        // secciones.
        for (int n = 0; n < 64; ++n) {
            std::string figura;
            for (int k = 0; k < 6; ++k)
                figura += (n >> k) & 1 ? '9' : '6';
            CargarBuffer(figura);
            std::string entradas;
            for (std::size_t j = 1; j <= kEntradasBuffer; ++j) {
                const std::string_view e = recortarDerecha(BufferTexto[j].valor());
                if (e == "**")
                    break;
                if (e.empty() || e[0] != '*')
                    entradas += e;
            }
            int partidas = 0;
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
                    // Un guion final parte la palabra que sigue en la línea siguiente.
                    if (l.size() < 2 || l.back() != '-' || l[l.size() - 2] == ' ')
                        continue;
                    ++partidas;
                    const QString antes = textoQt(l.substr(l.find_last_of(' ') + 1)).chopped(1);
                    const QString despues =
                        i + 1 < lineas.size()
                            ? textoQt(lineas[i + 1]).section(' ', 0, 0, QString::SectionSkipEmpty)
                            : QString();
                    EXPECT_TRUE(espanol.permite(antes + despues, static_cast<int>(antes.size())))
                        << donde << ": " << (antes + "-" + despues).toStdString();
                }
                EXPECT_EQ(diferencia(soloLetras(impreso), soloLetras(entradas)), "") << donde;
            }
            EXPECT_GT(partidas, 0) << figura;
        }
    }
}

TEST(TextosReales, CadaPalabraSoloSeParteDondeDejaElEspanol) {
    const SilabasReferencia espanol;
    ASSERT_TRUE(espanol.cargada());
    const QDir fuentes(QStringLiteral(HEXORA_DATOS_FUENTE) + "/hexagramas");
    const QStringList archivos = fuentes.entryList({"*.txt"}, QDir::Files, QDir::Name);
    ASSERT_EQ(archivos.size(), 64);
    for (const QString& nombre : archivos) {
        QFile archivo(fuentes.filePath(nombre));
        ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(archivo.readAll());
        int cortes = 0;
        for (const QString& palabra :
             texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            // El programa la ve en Windows-1252, como en BINARIO.dat.
            const std::vector<bool> permitidos = CortesPermitidos(textoCp1252(palabra));
            ASSERT_EQ(permitidos.size(), static_cast<std::size_t>(palabra.size()));
            for (std::size_t k = 0; k < permitidos.size(); ++k) {
                if (!permitidos[k])
                    continue;
                ++cortes;
                EXPECT_TRUE(espanol.permite(palabra, static_cast<int>(k) + 1))
                    << nombre.toStdString() << ": "
                    << palabra.left(static_cast<int>(k) + 1).toStdString() << "-"
                    << palabra.mid(static_cast<int>(k) + 1).toStdString();
            }
        }
        EXPECT_GT(cortes, 0) << nombre.toStdString();
    }
}
