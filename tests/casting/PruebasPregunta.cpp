#include "casting/Pregunta.h"
#include "core/EstadoConsulta.h"

#include <gtest/gtest.h>

using namespace hexora;

namespace {
// Texto UTF-8 de la prueba en Windows-1252, como lo tiene la lógica.
std::string cp(std::u32string_view s) {
    std::string r;
    for (char32_t c : s)
        r += c == U'\n' ? '\n' : static_cast<char>(c);
    return r;
}
} // namespace

TEST(NormalizarPregunta, MarcasMayusculasYSaltoFinal) {
    const std::vector<std::pair<std::string, std::string>> casos = {
        // Espacios fuera, mayúsculas con tildes y eñe, y cada marca una sola vez.
        {cp(U"  ¿el año que viene, señor?  "), cp(U"¿EL AÑO QUE VIENE, SEÑOR?")},
        {cp(U"vale la pena?"), cp(U"¿VALE LA PENA?")},
        {cp(U"¿qué hago"), cp(U"¿QUÉ HAGO?")},
        // Un salto de línea final se quita antes del "?", con el espacio que lo preceda;
        // solo uno.
        {cp(U"mudarme ") + "\r\n", cp(U"¿MUDARME?")},
        {"mudarme\r\n\r\n", cp(U"¿MUDARME") + "\r\n?"},
        // Una marca ya escrita no se dobla aunque la siga o la preceda el salto de línea de
        // quien pulsó Intro.
        {cp(U"me mudo?") + "\r\n", cp(U"¿ME MUDO?")},
        {"\r\n" + cp(U"¿me mudo") + "\r\n", cp(U"¿ME MUDO?")},
    };
    for (const auto& [entrada, esperada] : casos)
        EXPECT_EQ(normalizarPregunta(entrada), esperada) << entrada;
    EXPECT_TRUE(esPreguntaDelUsuario(cp(U"¿ME MUDO?")));
    EXPECT_FALSE(esPreguntaDelUsuario("   "));
    EXPECT_FALSE(esPreguntaDelUsuario(std::string(kPreguntaModoManual) + "   "));
}

// De la caja (saltos "\n") a la pregunta en Windows-1252 (saltos "\r\n") y vuelta. La más
// larga, 98 caracteres con un salto que cuenta dos, da 100 al normalizarla y el "?" no se
// pierde al guardarla en los 100 de Pregunta.
TEST(CajaPregunta, IdaYVueltaYLaMasLarga) {
    EXPECT_EQ(preguntaDeCaja(U"¿Sí\nó no?"), "\xBFS\xED\r\n\xF3 no?");
    EXPECT_EQ(preguntaACaja("\xBFS\xED\r\n\xF3 \x80?"), U"¿Sí\nó €?");
    const std::u32string caja = std::u32string(96, U'a') + U'\n';
    ASSERT_EQ(longitudPregunta(caja), kMaximoPregunta);
    Pregunta = normalizarPregunta(preguntaDeCaja(caja));
    EXPECT_EQ(Pregunta.recortado(), "\xBF" + std::string(96, 'A') + "?");
}

// Lo que se teclea o se pega en la caja: solo lo que el archivo puede guardar y hasta 98
// caracteres, contando dos cada salto de línea.
TEST(CajaPregunta, SoloAdmiteLoQueElArchivoPuedeGuardar) {
    // Reemplazar una selección con texto repetido alrededor no cambia nada.
    EXPECT_FALSE(admitirCambioPregunta(U"casa casa", U"casa cosa casa").modificado);
    // Al pegar se quitan los caracteres sin sitio en Windows-1252 y los de control; el
    // cursor queda detrás de lo pegado.
    auto c = admitirCambioPregunta(U"ab", U"a€ 中\U0001F600\tñ—b");
    EXPECT_TRUE(c.modificado && c.quitados && !c.cortado);
    EXPECT_EQ(c.texto, U"a€ ñ—b");
    EXPECT_EQ(c.cursor, 5u);
    // Lo pegado se corta donde deja de caber; lo de detrás del cursor se conserva.
    const std::u32string casiLlena(96, U'x');
    c = admitirCambioPregunta(casiLlena + U"!", casiLlena + U"abc!");
    EXPECT_TRUE(c.cortado);
    EXPECT_EQ(c.texto, casiLlena + U"a!");
    EXPECT_EQ(c.cursor, 97u);
    // Un salto de línea ya no cabe en el último hueco.
    c = admitirCambioPregunta(casiLlena + U"a", casiLlena + U"a\n");
    EXPECT_EQ(c.texto, casiLlena + U"a");
    // La pregunta anterior normalizada mide 100: se deja, se puede borrar, no crecer.
    const std::u32string anterior = U"¿" + std::u32string(98, U'Z') + U"?";
    EXPECT_EQ(admitirCambioPregunta(anterior, anterior + U"x").texto, anterior);
    EXPECT_FALSE(admitirCambioPregunta(anterior, anterior.substr(1)).modificado);
}
