#pragma once
// Silabación española de referencia para las pruebas: libhyphen con los patrones de
// hyphen-es, llamada aquí directamente (texto UTF-8 de Qt, minúsculas de Qt), sin pasar
// por la conversión ni por la decisión de corte del programa.

#include <QString>

#include <hyphen.h>

#include <cstdlib>
#include <vector>

class SilabasReferencia {
public:
    SilabasReferencia() : dic_(hnj_hyphen_load(HEXORA_PATRONES_SILABAS)) {}
    ~SilabasReferencia() {
        if (dic_)
            hnj_hyphen_free(dic_);
    }
    SilabasReferencia(const SilabasReferencia&) = delete;
    SilabasReferencia& operator=(const SilabasReferencia&) = delete;
    // ¿Deja partir la palabra, tal como aparece en el texto (con sus signos delante o
    // detrás), tras sus n primeros caracteres?
    bool permite(const QString& palabra, int n) const {
        int inicio = 0;
        int fin = static_cast<int>(palabra.size());
        while (inicio < fin && !palabra[inicio].isLetter())
            ++inicio;
        while (fin > inicio && !palabra[fin - 1].isLetter())
            --fin;
        if (!dic_ || n <= inicio || n >= fin)
            return false;
        const QByteArray utf8 = palabra.mid(inicio, fin - inicio).toLower().toUtf8();
        std::vector<char> guiones(static_cast<std::size_t>(utf8.size()) + 5);
        char** rep = nullptr;
        int* pos = nullptr;
        int* cut = nullptr;
        hnj_hyphen_hyphenate2(dic_, utf8.constData(), static_cast<int>(utf8.size()), guiones.data(),
                              nullptr, &rep, &pos, &cut);
        const bool sustituye = rep != nullptr;
        if (rep) {
            for (int i = 0; i < utf8.size(); ++i)
                std::free(rep[i]);
            std::free(rep);
            std::free(pos);
            std::free(cut);
        }
        return !sustituye && (guiones[static_cast<std::size_t>(n - inicio - 1)] & 1) != 0;
    }

private:
    HyphenDict* dic_;
};
