#include "FuentesImpresion.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace hexora {

QFont fuenteImpresion(const std::string& nombre, double puntos, bool negrita, bool subrayado) {
    QFont f(QString::fromStdString(nombre));
    if (puntos > 0)
        f.setPointSizeF(puntos);
    f.setBold(negrita);
    f.setUnderline(subrayado);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

Fuente fuentePorOmision() {
    const QStringList familias = QFontDatabase::families();
    for (const char* candidata :
         {"DejaVu Serif", "Liberation Serif", "DejaVu Sans", "Liberation Sans"}) {
        if (familias.contains(QLatin1String(candidata)))
            return {candidata, 11};
    }
    return {QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().toStdString(), 11};
}

QFont fuenteParaDialogo(const Fuente& fuente) {
    const QFontInfo real(fuenteImpresion(fuente.nombre, fuente.tamano, false, false));
    QFont ofrecida(real.family());
    ofrecida.setStyleName(real.styleName());
    ofrecida.setPointSizeF(fuente.tamano > 0 ? fuente.tamano : 11);
    return ofrecida;
}

Fuente fuenteElegida(const QFont& elegida, const Fuente& anterior) {
    const double puntos = elegida.pointSizeF();
    return {elegida.family().toStdString(), puntos > 0 ? puntos : anterior.tamano};
}

} // namespace hexora
