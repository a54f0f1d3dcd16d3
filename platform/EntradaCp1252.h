#pragma once
// Cuadro de texto que solo admite lo que Windows-1252 puede guardar (sin caracteres de
// control), hasta un máximo de caracteres: lo demás desaparece a la vista en cuanto se
// teclea o se pega, nunca más tarde y en silencio en el archivo, y se avisa de ello.

#include <functional>

class QLineEdit;

namespace hexora {

// avisar recibe si se han quitado caracteres que no caben en Windows-1252 y si lo
// insertado se ha cortado en el máximo.
void limitarACp1252(QLineEdit* cuadro, int maximo,
                    std::function<void(bool quitados, bool cortado)> avisar = {});

} // namespace hexora
