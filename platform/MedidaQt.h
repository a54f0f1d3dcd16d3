#pragma once
// Superficie de medida sobre el dispositivo de la impresora: cada carácter avanza la pluma
// lo que avanzará en el papel, con la misma letra.

#include "core/Superficies.h"

#include <array>
#include <map>
#include <tuple>

class QPaintDevice;

namespace hexora {

class MedidaQt : public SuperficieMedida {
public:
    explicit MedidaQt(const QPaintDevice& dispositivo) : dispositivo_(dispositivo) {}

    void Cls() override { x_ = 0; }
    void fijarX(double x) override { x_ = x; }
    double x() const override { return x_; }
    void fijarNombreFuente(const std::string& nombre) override {
        nombre_ = nombre;
        actuales_ = nullptr;
    }
    void fijarTamanoFuente(double puntos) override {
        tamano_ = puntos;
        actuales_ = nullptr;
    }
    void fijarNegrita(bool negrita) override {
        negrita_ = negrita;
        actuales_ = nullptr;
    }
    void fijarSubrayado(bool subrayado) override {
        subrayado_ = subrayado;
        actuales_ = nullptr;
    }
    void imprimir(std::string_view texto) override;

private:
    using Anchos = std::array<double, 256>; // twips de cada byte de Windows-1252
    using Clave = std::tuple<std::string, double, bool, bool, int>;
    const Anchos& anchos();

    const QPaintDevice& dispositivo_;
    double x_ = 0;
    std::string nombre_;
    double tamano_ = 0;
    bool negrita_ = false;
    bool subrayado_ = false;
    // Medir con Qt cuesta; cada letra se mide una vez por carácter y se guarda.
    std::map<Clave, Anchos> medidas_;
    const Anchos* actuales_ = nullptr; // los de la letra fijada ahora
};

} // namespace hexora
