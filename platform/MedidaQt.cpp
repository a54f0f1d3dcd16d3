#include "MedidaQt.h"

#include "FuentesImpresion.h"
#include "core/Cp1252.h"

#include <QFontMetricsF>
#include <QPaintDevice>

namespace hexora {

const MedidaQt::Anchos& MedidaQt::anchos() {
    if (actuales_)
        return *actuales_;
    // La resolución entra en la clave: otra impresora elegida mide distinto.
    const int ppp = dispositivo_.logicalDpiX();
    const Clave clave{nombre_, tamano_, negrita_, subrayado_, ppp};
    const auto it = medidas_.find(clave);
    if (it != medidas_.end())
        return *(actuales_ = &it->second);
    const QFontMetricsF metricas(fuenteImpresion(nombre_, tamano_, negrita_, subrayado_),
                                 &dispositivo_);
    Anchos a{};
    for (int byte = 0; byte < 256; ++byte) {
        const QChar c(static_cast<char16_t>(cp1252AUnicode(static_cast<unsigned char>(byte))));
        a[static_cast<std::size_t>(byte)] = metricas.horizontalAdvance(c) * 1440.0 / ppp;
    }
    actuales_ = &medidas_.emplace(clave, a).first->second;
    return *actuales_;
}

void MedidaQt::imprimir(std::string_view texto) {
    const Anchos& a = anchos();
    for (const char c : texto)
        x_ += a[static_cast<unsigned char>(c)];
}

} // namespace hexora
