#pragma once
// Superficies falsas para probar la maquetación y el informe sin Qt: cada carácter mide
// 100 twips y cada línea 240; la impresora anota lo que imprime y dibuja, y falla cuando
// se lo pide la prueba.

#include "core/Superficies.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class MedidaFalsa : public hexora::SuperficieMedida {
public:
    void Cls() override { x_ = 0; }
    void fijarX(double x) override { x_ = x; }
    double x() const override { return x_; }
    void fijarNombreFuente(const std::string& n) override { letra_.first = n; }
    void fijarTamanoFuente(double t) override { letra_.second = t; }
    void fijarNegrita(bool) override {}
    void fijarSubrayado(bool) override {}
    void imprimir(std::string_view t) override {
        x_ += 100.0 * static_cast<double>(t.size());
        letras.insert(letra_);
    }
    std::set<std::pair<std::string, double>> letras; // con las que se midió algo

private:
    double x_ = 0;
    std::pair<std::string, double> letra_;
};

class ImpresoraFalsa : public hexora::SuperficieImpresora {
public:
    struct Texto {
        std::string texto;
        double x, y;
        bool negrita, subrayado;
        std::string letra;
        double tamano;
    };
    std::vector<Texto> textos;
    std::vector<std::string> dibujos;   // "rect x1 y1 x2 y2", "seg ...", "circ cx cy r"
    std::vector<std::string> documento; // "fin", "cancelar"
    // Se llama con "ancho", "imprimir", "dibujar" o "terminar"; si lanza, la operación falla.
    std::function<void(const std::string&)> antes;
    long anchoPagina() override {
        avisar("ancho");
        return 11500;
    }
    void fijarNombreFuente(const std::string& n) override { letra_ = n; }
    void fijarTamanoFuente(double t) override { tamano_ = t; }
    void fijarNegrita(bool b) override { negrita_ = b; }
    void fijarSubrayado(bool s) override { subrayado_ = s; }
    void fijarPosicion(double x, double y) override {
        x_ = x;
        y_ = y;
    }
    void fijarX(double x) override { x_ = x; }
    double y() const override { return y_; }
    double anchoTexto(std::string_view t) override { return 100.0 * static_cast<double>(t.size()); }
    void imprimir(std::string_view t) override {
        avisar("imprimir");
        textos.push_back({std::string(t), x_, y_, negrita_, subrayado_, letra_, tamano_});
        x_ += 100.0 * static_cast<double>(t.size());
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
    bool negrita_ = false, subrayado_ = false;
    std::string letra_ = "Inicial";
    double tamano_ = 10;
};
