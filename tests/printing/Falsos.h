#pragma once
// Superficie falsa, de medida y de impresora, para probar la maquetación y el informe sin
// Qt: cada carácter mide 100 twips y cada línea 240; anota lo que imprime y dibuja, y falla
// cuando se lo pide la prueba.

#include "core/Superficies.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class SuperficieFalsa : public hexora::SuperficieMedida, public hexora::SuperficieImpresora {
public:
    std::vector<std::pair<std::string, double>> textos; // cada texto con su x
    std::vector<std::string> dibujos;   // "rect x1 y1 x2 y2", "seg ...", "circ cx cy r"
    std::vector<std::string> documento; // "fin", "cancelar"
    // Se llama con "ancho", "imprimir", "dibujar" o "terminar"; si lanza, la operación falla.
    std::function<void(const std::string&)> antes;
    long anchoPagina() override {
        avisar("ancho");
        return 11500;
    }
    void Cls() override { x_ = 0; }
    void fijarNombreFuente(const std::string&) override {}
    void fijarTamanoFuente(double) override {}
    void fijarNegrita(bool) override {}
    void fijarSubrayado(bool) override {}
    void fijarPosicion(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    void fijarX(double x) override { x_ = x; }
    double x() const override { return x_; }
    double y() const override { return y_; }
    double anchoTexto(std::string_view t) override { return 100.0 * static_cast<double>(t.size()); }
    void imprimir(std::string_view t) override {
        avisar("imprimir");
        textos.emplace_back(std::string(t), x_);
        x_ += anchoTexto(t);
    }
    void imprimirLinea(std::string_view t) override {
        imprimir(t);
        x_ = 0;
        y_ += 240;
    }
    void rectanguloRelleno(double x1, double y1, double x2, double y2) override {
        dibujo("rect", {x1, y1, x2, y2});
    }
    void segmento(double x1, double y1, double x2, double y2) override {
        dibujo("seg", {x1, y1, x2, y2});
    }
    void circulo(double cx, double cy, double r) override {
        dibujo("circ", {cx, cy, r});
        x_ = cx;
        y_ = cy;
    }
    void terminarDocumento() override {
        avisar("terminar");
        documento.push_back("fin");
    }
    void cancelarDocumento() override { documento.push_back("cancelar"); }

private:
    void avisar(const std::string& op) {
        if (antes)
            antes(op);
    }
    void dibujo(const char* tipo, std::vector<double> v) {
        avisar("dibujar");
        std::string d = tipo;
        for (double n : v)
            d += " " + std::to_string(static_cast<long>(n));
        dibujos.push_back(d);
        if (v.size() == 4) {
            x_ = v[2];
            y_ = v[3];
        }
    }
    double x_ = 0, y_ = 0;
};
