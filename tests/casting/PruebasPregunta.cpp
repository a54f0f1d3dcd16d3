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
    // Espacios fuera, mayúsculas con tildes y eñe, y las dos marcas.
    EXPECT_EQ(normalizarPregunta(cp(U"  qué significa esto  ")), cp(U"¿QUÉ SIGNIFICA ESTO?"));
    EXPECT_EQ(normalizarPregunta(cp(U"¿el año que viene, señor?")),
              cp(U"¿EL AÑO QUE VIENE, SEÑOR?"));
    // Cada marca se añade una sola vez.
    EXPECT_EQ(normalizarPregunta(cp(U"vale la pena?")), cp(U"¿VALE LA PENA?"));
    EXPECT_EQ(normalizarPregunta(cp(U"¿vale la pena")), cp(U"¿VALE LA PENA?"));
    // Un salto de línea final se quita antes del "?", con el espacio que lo preceda; solo uno.
    EXPECT_EQ(normalizarPregunta(cp(U"mudarme ") + "\r\n"), cp(U"¿MUDARME?"));
    EXPECT_EQ(normalizarPregunta(cp(U"mudarme") + "\r\n\r\n"), cp(U"¿MUDARME") + "\r\n?");
    EXPECT_EQ(normalizarPregunta("uno\r\ndos"), "\xBFUNO\r\nDOS?");
    // Una marca ya escrita no se dobla aunque la siga o la preceda el salto de línea de
    // quien pulsó Intro.
    EXPECT_EQ(normalizarPregunta(cp(U"me mudo?") + "\r\n"), cp(U"¿ME MUDO?"));
    EXPECT_EQ(normalizarPregunta("\r\n" + cp(U"¿me mudo") + "\r\n"), cp(U"¿ME MUDO?"));
    EXPECT_EQ(normalizarPregunta("\r\nsolo"), "\xBF\r\nSOLO?");
}

TEST(NormalizarPregunta, SoloCuentaLaPreguntaDelUsuario) {
    EXPECT_TRUE(esPreguntaDelUsuario(cp(U"¿ME MUDO?")));
    EXPECT_FALSE(esPreguntaDelUsuario("   "));
    EXPECT_FALSE(esPreguntaDelUsuario(std::string(kPreguntaModoManual) + "   "));
}

TEST(NormalizarPregunta, LaMasLargaCabeEnPregunta) {
    // 98 caracteres dan 100 y el "?" no se pierde al guardarla en los 100 de Pregunta.
    const std::u32string caja = std::u32string(96, U'a') + U'\n';
    ASSERT_EQ(longitudPregunta(caja), kMaximoPregunta);
    Pregunta = normalizarPregunta(preguntaDeCaja(caja));
    EXPECT_EQ(Pregunta.recortado(), "\xBF" + std::string(96, 'A') + "?");
    Pregunta = normalizarPregunta(preguntaDeCaja(std::u32string(98, U'b')));
    EXPECT_EQ(Pregunta.valor().back(), '?');
}

TEST(CajaPregunta, SaltosDeLineaIdaYVuelta) {
    EXPECT_EQ(preguntaDeCaja(U"¿Sí\nó no?"), "\xBFS\xED\r\n\xF3 no?");
    EXPECT_EQ(preguntaACaja("\xBFS\xED\r\n\xF3 \x80?"), U"¿Sí\nó €?");
}

TEST(CajaPregunta, SoloAdmiteLoQueElArchivoPuedeGuardar) {
    // Teclear o borrar dentro del tope no cambia nada.
    auto c = admitirCambioPregunta(U"hola", U"holas");
    EXPECT_FALSE(c.modificado);
    EXPECT_EQ(c.texto, U"holas");
    EXPECT_FALSE(admitirCambioPregunta(U"holas", U"hola").modificado);
    // Al pegar se quitan los caracteres sin sitio en Windows-1252 y los de control; el
    // cursor queda detrás de lo pegado.
    c = admitirCambioPregunta(U"ab", U"a€ 中\U0001F600\tñ—b");
    EXPECT_TRUE(c.modificado);
    EXPECT_TRUE(c.quitados);
    EXPECT_FALSE(c.cortado);
    EXPECT_EQ(c.texto, U"a€ ñ—b");
    EXPECT_EQ(c.cursor, 5u);
    // Reemplazar una selección con texto repetido alrededor.
    c = admitirCambioPregunta(U"casa casa", U"casa cosa casa");
    EXPECT_FALSE(c.modificado);
}

TEST(CajaPregunta, TopeDe98ContandoDosCadaSalto) {
    const std::u32string casiLlena(96, U'x');
    // Lo pegado se corta donde deja de caber; lo de detrás del cursor se conserva.
    auto c = admitirCambioPregunta(casiLlena + U"!", casiLlena + U"abc!");
    EXPECT_TRUE(c.cortado);
    EXPECT_EQ(c.texto, casiLlena + U"a!");
    EXPECT_EQ(c.cursor, 97u);
    // Un salto de línea ya no cabe en el último hueco.
    c = admitirCambioPregunta(casiLlena + U"a", casiLlena + U"a\n");
    EXPECT_TRUE(c.cortado);
    EXPECT_EQ(c.texto, casiLlena + U"a");
    // La pregunta anterior normalizada mide 100: se deja, se puede borrar, no crecer.
    const std::u32string anterior = U"¿" + std::u32string(98, U'Z') + U"?";
    c = admitirCambioPregunta(anterior, anterior + U"x");
    EXPECT_EQ(c.texto, anterior);
    EXPECT_TRUE(c.cortado);
    EXPECT_FALSE(admitirCambioPregunta(anterior, anterior.substr(1)).modificado);
}
