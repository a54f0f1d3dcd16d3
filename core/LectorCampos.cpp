#include "LectorCampos.h"

namespace hexora {

bool LectorCampos::finDeLinea() const {
    return pos_ < texto_.size() && (texto_[pos_] == '\r' || texto_[pos_] == '\n');
}

void LectorCampos::saltarFinDeLinea() {
    if (texto_[pos_] == '\r' && pos_ + 1 < texto_.size() && texto_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
}

bool LectorCampos::siguiente(std::string& campo) {
    campo.clear();
    for (;;) {
        while (pos_ < texto_.size() && (texto_[pos_] == ' ' || texto_[pos_] == '\t'))
            ++pos_;
        if (pos_ >= texto_.size()) {
            const bool habia = trasComa_;
            trasComa_ = false;
            return habia;
        }
        if (!finDeLinea())
            break;
        saltarFinDeLinea();
        if (trasComa_) {
            trasComa_ = false;
            return true;
        }
        // Una línea en blanco no da campo.
    }
    trasComa_ = false;

    const auto esFinDeCampo = [this] {
        return pos_ >= texto_.size() || texto_[pos_] == ',' || finDeLinea();
    };
    if (texto_[pos_] == '"') {
        const auto cierre = texto_.find('"', pos_ + 1);
        const auto fin = cierre == std::string::npos ? texto_.size() : cierre;
        campo = texto_.substr(pos_ + 1, fin - pos_ - 1);
        pos_ = fin == texto_.size() ? fin : fin + 1;
        while (!esFinDeCampo())
            ++pos_;
    } else {
        const auto ini = pos_;
        while (!esFinDeCampo())
            ++pos_;
        campo = texto_.substr(ini, pos_ - ini);
        const auto ultimo = campo.find_last_not_of(" \t");
        campo.erase(ultimo == std::string::npos ? 0 : ultimo + 1);
    }

    if (pos_ < texto_.size()) {
        if (texto_[pos_] == ',') {
            ++pos_;
            trasComa_ = true;
        } else {
            saltarFinDeLinea();
        }
    }
    return true;
}

} // namespace hexora
