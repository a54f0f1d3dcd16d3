#pragma once
// Texto de longitud fija: lo corto se rellena con espacios por la derecha y lo largo se
// corta a la longitud. Los lectores recortan antes de usarlo.

#include "Texto.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hexora {

template <std::size_t N> class TextoFijo {
public:
    TextoFijo() : valor_(N, ' ') {}
    TextoFijo(std::string_view s) { asignar(s); } // NOLINT: se asigna como un texto más

    TextoFijo& operator=(std::string_view s) {
        asignar(s);
        return *this;
    }

    const std::string& valor() const { return valor_; }
    operator std::string_view() const { return valor_; }
    std::string_view recortado() const { return recortar(valor_); }
    char operator[](std::size_t i) const { return valor_[i]; }
    static constexpr std::size_t longitud() { return N; }

    friend bool operator==(const TextoFijo& a, std::string_view b) {
        return std::string_view(a.valor_) == b;
    }
    friend bool operator!=(const TextoFijo& a, std::string_view b) { return !(a == b); }

private:
    void asignar(std::string_view s) {
        valor_.assign(s.substr(0, N));
        valor_.resize(N, ' ');
    }

    std::string valor_;
};

} // namespace hexora
