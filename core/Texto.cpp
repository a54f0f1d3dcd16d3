#include "Texto.h"

#include <limits>

namespace hexora {

std::string_view recortarDerecha(std::string_view s) {
    const auto fin = s.find_last_not_of(' ');
    return fin == std::string_view::npos ? std::string_view{} : s.substr(0, fin + 1);
}

std::string_view recortarIzquierda(std::string_view s) {
    const auto ini = s.find_first_not_of(' ');
    return ini == std::string_view::npos ? std::string_view{} : s.substr(ini);
}

std::string_view recortar(std::string_view s) { return recortarIzquierda(recortarDerecha(s)); }

namespace {

// Salta los espacios iniciales y el signo; devuelve la posición del primer dígito.
std::size_t inicioNumero(std::string_view s, bool& negativo) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    negativo = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negativo = s[i] == '-';
        ++i;
    }
    return i;
}

bool esDigito(char c) { return c >= '0' && c <= '9'; }

} // namespace

long long valorEntero(std::string_view s) {
    bool negativo = false;
    constexpr long long maximo = std::numeric_limits<long long>::max() / 10 - 9;
    long long valor = 0;
    for (auto i = inicioNumero(s, negativo); i < s.size() && esDigito(s[i]); ++i) {
        if (valor < maximo)
            valor = valor * 10 + (s[i] - '0');
    }
    return negativo ? -valor : valor;
}

double valorDecimal(std::string_view s) {
    bool negativo = false;
    auto i = inicioNumero(s, negativo);
    double valor = 0;
    for (; i < s.size() && esDigito(s[i]); ++i)
        valor = valor * 10 + (s[i] - '0');
    if (i < s.size() && s[i] == '.') {
        double escala = 0.1;
        for (++i; i < s.size() && esDigito(s[i]); ++i, escala /= 10)
            valor += (s[i] - '0') * escala;
    }
    return negativo ? -valor : valor;
}

} // namespace hexora
