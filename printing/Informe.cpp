#include "Informe.h"

#include "core/Eventos.h"
#include "core/Texto.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <string>
#include <vector>

namespace hexora {

namespace {

// Salida del informe a mitad: el manejador decidió dejarlo.
struct Salida {
    FinImpresion fin;
};

// Ejecuta los pasos del informe. Un paso que falla se ofrece al manejador: Reintentar lo
// repite, Omitir sigue con el siguiente, Anular y Aceptar dejan el informe.
class Pasos {
public:
    Pasos(SuperficieImpresora& impresora, const ManejadorFallos& manejador)
        : impresora_(impresora), manejador_(manejador) {}

    // Devuelve false si el paso falló y se omitió.
    template <class Paso> bool operator()(Paso&& paso) {
        for (;;) {
            int numero = kErrorInterno;
            std::string detalle;
            try {
                paso();
                return true;
            } catch (const FalloImpresion& e) {
                numero = e.numero();
                detalle = e.what();
            } catch (const std::bad_alloc&) {
                numero = 7;
                detalle = "No queda memoria libre.";
            } catch (const std::exception& e) {
                detalle = e.what();
            }
            switch (avisar(numero, detalle)) {
            case RespuestaFallo::Reintentar: continue;
            case RespuestaFallo::Omitir: return false;
            case RespuestaFallo::Anular: throw Salida{FinImpresion::Anulado};
            case RespuestaFallo::Aceptar: throw Salida{FinImpresion::Abandonado};
            }
        }
    }

    // Al dejar el informe el documento se cancela: uno a medias no debe quedar abierto
    // para mezclarse con el siguiente ni dejar un PDF sin cerrar.
    void cancelar() {
        try {
            impresora_.cancelarDocumento();
        } catch (const std::exception&) {
            // Ya se dijo el fallo que llevó aquí; no hay nada más que hacer.
        }
    }

private:
    RespuestaFallo avisar(int numero, const std::string& detalle) {
        if (numero == kErrorImpresora)
            errorImpresora_ = true;
        std::string texto = numero == kErrorImpresora
                                ? "IMPRESORA NO PREPARADA (error 482)"
                                : "ERROR " + std::to_string(numero) + " (SUB IMPRIMIR)";
        if (!detalle.empty())
            texto += "\r\n" + detalle;
        // Tras un error de impresora, cualquier otro fallo deja también elegir.
        return manejador_({texto, errorImpresora_});
    }

    SuperficieImpresora& impresora_;
    const ManejadorFallos& manejador_;
    bool errorImpresora_ = false;
};

void dibujarLinea(SuperficieImpresora& p, char valor, double x0, double y) {
    const auto barrasPartidas = [&] {
        p.rectanguloRelleno(x0, y, x0 + kBarraPartida, y + kAltoBarra);
        p.rectanguloRelleno(x0 + kAnchoFigura - kBarraPartida, y, x0 + kAnchoFigura,
                            y + kAltoBarra);
    };
    switch (valor) {
    case '6': // yin viejo: aspa en el hueco
        barrasPartidas();
        p.segmento(x0 + 700, y, x0 + 800, y + kAltoBarra);
        p.segmento(x0 + 700, y + kAltoBarra, x0 + 800, y);
        break;
    case '7': p.rectanguloRelleno(x0, y, x0 + kAnchoFigura, y + kAltoBarra); break;
    case '8': barrasPartidas(); break;
    case '9': // yang viejo: círculo en el hueco
        barrasPartidas();
        p.circulo(x0 + 750, y + kAltoBarra / 2, kRadioMarca);
        break;
    default: break;
    }
}

bool leerLinea(std::ifstream& entrada, std::string& linea) {
    if (!std::getline(entrada, linea)) {
        if (entrada.bad())
            throw FalloImpresion(kErrorAccesoArchivo, "No se puede leer el archivo intermedio.");
        return false;
    }
    if (!linea.empty() && linea.back() == '\r')
        linea.pop_back();
    return true;
}

} // namespace

FinImpresion Imprimir(const DatosInforme& d, SuperficieImpresora& p, SuperficieMedida& medida,
                      const ManejadorFallos& manejador, const std::filesystem::path& intermedio) {
    Pasos paso(p, manejador);
    try {
        long ancho = 0;
        paso([&] { ancho = p.anchoPagina(); });
        const double limite = static_cast<double>(ancho) - kReservaDerecha;

        // Un texto partido en los renglones que caben hasta el límite, cada uno en x; con la
        // letra que tenga la impresora.
        const auto partir = [&](std::string_view texto, double x) {
            std::vector<std::string> renglones;
            paso([&] {
                renglones = PartirTexto(texto, limite - x,
                                        [&p](std::string_view t) { return p.anchoTexto(t); });
            });
            return renglones;
        };
        const auto imprimirAjustado = [&](std::string_view texto, double x) {
            for (const std::string& r : partir(texto, x)) {
                paso([&] {
                    p.fijarX(x);
                    p.imprimirLinea(r);
                });
            }
        };

        // Cabecera, en la letra que tenga la impresora. La pregunta que no cabe sigue en
        // los renglones siguientes, bajo su comienzo.
        paso([&] { p.imprimirLinea(""); });
        paso([&] {
            p.fijarNegrita(true);
            p.fijarPosicion(kMargenIzquierdo, kArribaPagina);
            p.fijarSubrayado(true);
        });
        double anchoConsulta = 0;
        paso([&] { anchoConsulta = p.anchoTexto("CONSULTA:"); });
        paso([&] { p.imprimir("CONSULTA:"); });
        paso([&] {
            p.fijarNegrita(false);
            p.fijarSubrayado(false);
        });
        double xPregunta = kMargenIzquierdo + anchoConsulta;
        paso([&] { xPregunta = kMargenIzquierdo + anchoConsulta + p.anchoTexto(" "); });
        const std::vector<std::string> pregunta = partir(recortar(d.pregunta), xPregunta);
        for (std::size_t i = 0; i < pregunta.size(); ++i) {
            paso([&] {
                if (i == 0) {
                    p.imprimirLinea(" " + pregunta[i]);
                } else {
                    p.fijarX(xPregunta);
                    p.imprimirLinea(pregunta[i]);
                }
            });
        }
        paso([&] { p.fijarNegrita(true); });
        paso([&] { p.imprimirLinea(""); });
        paso([&] { p.fijarSubrayado(true); });
        imprimirAjustado(d.rotulo, kMargenIzquierdo);
        paso([&] { p.fijarSubrayado(false); });
        paso([&] { p.imprimirLinea(""); });
        imprimirAjustado(d.titulos[0], kMargenIzquierdo);

        // La figura, de la línea de arriba a la de abajo, con un hueco entre trigramas; baja
        // lo justo si la cabecera (con una letra grande o una pregunta larga) la alcanza.
        // Los rótulos de los trigramas salen a la altura en que deja la pluma el dibujo; el
        // nombre que no cabe a su lado va debajo, y entonces lo que sigue no lo pisa.
        double y = kFiguraInicio;
        paso([&] { y += std::max(0.0, p.y() + kAltoBarra - (kFiguraInicio + kPasoLinea)); });
        double libre = 0; // y bajo el último nombre de trigrama partido
        for (int i = 5; i >= 0; --i) {
            y += kPasoLinea + (i == 2 ? kHuecoTrigramas : 0);
            paso([&] {
                dibujarLinea(p, d.lineas[static_cast<std::size_t>(i)], kMargenIzquierdo, y);
            });
            paso([&] { p.fijarNombreFuente(FuenteTexto.nombre); });
            if (i == 5 || i == 2) {
                const std::size_t t = i == 5 ? 0 : 1;
                const char* rotulo = t == 0 ? "Trigrama Superior:" : "Trigrama Inferior:";
                double xNombre = kColumnaTrigramas;
                paso([&] {
                    if (p.y() < libre)
                        p.fijarPosicion(kColumnaTrigramas, libre);
                    p.fijarX(kColumnaTrigramas);
                    p.fijarSubrayado(true);
                    p.fijarNegrita(true);
                    xNombre = kColumnaTrigramas + p.anchoTexto(rotulo);
                });
                paso([&] { p.imprimir(rotulo); });
                paso([&] {
                    p.fijarSubrayado(false);
                    p.fijarNegrita(false);
                });
                const std::string nombre = "  " + d.trigramas[t];
                bool cabe = true;
                paso([&] { cabe = xNombre + p.anchoTexto(nombre) <= limite; });
                if (cabe) {
                    paso([&] { p.imprimir(nombre); });
                } else {
                    paso([&] { p.imprimirLinea(""); });
                    imprimirAjustado(d.trigramas[t], kColumnaTrigramas);
                    paso([&] { libre = p.y(); });
                }
            }
        }
        paso([&] {
            if (p.y() < libre)
                p.fijarPosicion(kMargenIzquierdo, libre);
        });
        paso([&] { p.imprimirLinea(""); });
        imprimirAjustado(d.titulos[1], kMargenIzquierdo);
        paso([&] { p.imprimirLinea(""); });
        paso([&] { p.imprimirLinea(""); });

        paso([&] { MaquetarArchivo(medida, FuenteTexto, kMargenIzquierdo, limite, intermedio); });

        // Salida del texto maquetado: cada cabecera en negrita y subrayada, sin su marca.
        std::ifstream entrada;
        paso([&] {
            entrada.open(intermedio, std::ios::binary);
            if (!entrada)
                throw FalloImpresion(kErrorArchivoNoExiste,
                                     "No se encuentra el archivo \"" + intermedio.string() + "\".");
        });
        const std::string marca = kMarcaCabecera;
        while (entrada.is_open()) {
            std::string l;
            bool hay = false;
            // Una lectura que falla y se omite acaba la salida: repetirla no llevaría a nada.
            if (!paso([&] { hay = leerLinea(entrada, l); }) || !hay)
                break;
            paso([&] {
                p.fijarNegrita(false);
                p.fijarSubrayado(false);
                std::string_view texto = l;
                if (texto.compare(0, marca.size(), marca) == 0) {
                    p.fijarNegrita(true);
                    p.fijarSubrayado(true);
                    texto.remove_prefix(marca.size());
                }
                p.fijarNombreFuente(FuenteTexto.nombre);
                p.fijarTamanoFuente(FuenteTexto.tamano);
                p.fijarX(kMargenIzquierdo);
                p.imprimirLinea(texto);
            });
            procesarEventosPendientes();
        }
        entrada.close();

        bool terminado = false;
        paso([&] {
            p.terminarDocumento();
            terminado = true;
        });
        for (int i = 0; i < 50; ++i)
            procesarEventosPendientes();
        paso([&] {
            std::error_code ec;
            std::filesystem::remove(intermedio, ec);
            if (ec)
                throw FalloImpresion(kErrorAccesoArchivo, "No se puede borrar el archivo \"" +
                                                              intermedio.string() + "\".");
        });
        return terminado ? FinImpresion::Terminado : FinImpresion::Abandonado;
    } catch (const Salida& s) {
        paso.cancelar();
        return s.fin;
    }
}

} // namespace hexora
