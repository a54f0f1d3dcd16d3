#pragma once
// Superficies falsas para probar la maquetación y el informe sin Qt: la de medida da a
// cada carácter el mismo ancho; la impresora anota cada operación con el estado de la
// letra y la pluma, y puede fallar a voluntad.

#include "printing/Superficies.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class MedidaFalsa : public hexora::SuperficieMedida {
public:
    explicit MedidaFalsa(double ancho = 100) : ancho_(ancho) {}
    void Cls() override { x_ = 0; }
    void fijarX(double x) override { x_ = x; }
    double x() const override { return x_; }
    void fijarNombreFuente(const std::string& n) override { nombre_ = n; }
    void fijarTamanoFuente(double t) override { tamano_ = t; }
    void fijarNegrita(bool) override {}
    void fijarSubrayado(bool) override {}
    void imprimir(std::string_view texto) override {
        x_ += ancho_ * static_cast<double>(texto.size());
        letras.insert({nombre_, tamano_});
    }

    std::set<std::pair<std::string, double>> letras; // con las que se midió algo

private:
    double ancho_;
    double x_ = 0;
    std::string nombre_;
    double tamano_ = 0;
};

class ImpresoraFalsa : public hexora::SuperficieImpresora {
public:
    static constexpr double kAltoLinea = 240;

    struct Texto {
        double x, y;
        std::string texto;
        bool negrita, subrayado;
        std::string letra;
        double tamano;
    };
    std::vector<Texto> textos;
    std::vector<std::string> dibujos;   // "rect x1 y1 x2 y2", "seg ...", "circ cx cy r"
    std::vector<std::string> documento; // "fin", "cancelar"
    // Se llama antes de cada operación con su nombre; si lanza, la operación falla.
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
    void imprimir(std::string_view t) override {
        avisar("imprimir");
        textos.push_back({x_, y_, std::string(t), negrita_, subrayado_, letra_, tamano_});
        x_ += 100 * static_cast<double>(t.size());
    }
    void imprimirLinea(std::string_view t) override {
        avisar("imprimir");
        textos.push_back({x_, y_, std::string(t), negrita_, subrayado_, letra_, tamano_});
        x_ = 0;
        y_ += kAltoLinea;
    }
    void rectanguloRelleno(double x1, double y1, double x2, double y2) override {
        dibujo("rect", x1, y1, x2, y2);
    }
    void segmento(double x1, double y1, double x2, double y2) override {
        dibujo("seg", x1, y1, x2, y2);
    }
    void circulo(double cx, double cy, double r) override {
        avisar("dibujar");
        dibujos.push_back("circ " + num(cx) + " " + num(cy) + " " + num(r));
        x_ = cx;
        y_ = cy;
    }
    void terminarDocumento() override {
        avisar("terminar");
        documento.push_back("fin");
    }
    void cancelarDocumento() override { documento.push_back("cancelar"); }

private:
    static std::string num(double v) { return std::to_string(static_cast<long>(v)); }
    void avisar(const std::string& op) {
        if (antes)
            antes(op);
    }
    void dibujo(const char* tipo, double x1, double y1, double x2, double y2) {
        avisar("dibujar");
        dibujos.push_back(std::string(tipo) + " " + num(x1) + " " + num(y1) + " " + num(x2) + " " +
                          num(y2));
        x_ = x2;
        y_ = y2;
    }

    double x_ = 0, y_ = 0;
    bool negrita_ = false, subrayado_ = false;
    std::string letra_ = "Inicial";
    double tamano_ = 10;
};
