#include "EntornoPantallas.h"

#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"

namespace {

class PantallaFalsa : public hexora::Formulario {
public:
    explicit PantallaFalsa(std::function<void()> alCargar) : alCargar_(std::move(alCargar)) {}
    void Form_Load() override { alCargar_(); }

private:
    std::function<void()> alCargar_;
};

} // namespace

std::string nombrePantalla(hexora::Pantalla p) {
    using hexora::Pantalla;
    switch (p) {
    case Pantalla::FRM256: return "FRM256";
    case Pantalla::FRMInicio: return "FRMInicio";
    case Pantalla::FRMTirada: return "FRMTirada";
    case Pantalla::FRMIntroducir: return "FRMIntroducir";
    case Pantalla::FRM64HEXAGRAMAS: return "FRM64HEXAGRAMAS";
    case Pantalla::frmconsulta: return "frmconsulta";
    case Pantalla::FRMInterpretar: return "FRMInterpretar";
    case Pantalla::FRMRecuperar: return "FRMRecuperar";
    case Pantalla::FRMGrabar: return "FRMGrabar";
    case Pantalla::FRMImprimir: return "FRMImprimir";
    }
    return "?";
}

EntornoPantallas::EntornoPantallas() {
    hexora::reiniciarEstadoConsulta();
    hexora::fijarPantallaTwips(9600, 7200);
    hexora::fijarPitido([] {});
    hexora::fijarAleatorio([] { return 0.25; });
    hexora::fijarServicioMensajes([this](const hexora::Mensaje& m) {
        mensajes.push_back(m);
        if (respuestas.empty())
            return hexora::RespuestaMensaje::Aceptar;
        const auto r = respuestas.front();
        respuestas.pop_front();
        return r;
    });
    hexora::fijarMostradorModal([this](hexora::Formulario& f) {
        sucesos.push_back("modal:" + nombrePantalla(f.pantalla()));
        f.Form_Activate();
        const auto it = guion.find(f.pantalla());
        if (it != guion.end())
            it->second(f);
    });
}

EntornoPantallas::~EntornoPantallas() {
    hexora::olvidarRegistroPantallas();
    hexora::fijarMostradorModal({});
    hexora::fijarServicioMensajes({});
    hexora::fijarPitido({});
    hexora::fijarAleatorio({});
    hexora::fijarPantallaTwips(0, 0);
    hexora::fijarCarpetaEjecutable({});
    hexora::fijarActivacionPrincipal({});
}

void EntornoPantallas::registrarFalsa(hexora::Pantalla pantalla) {
    hexora::registrarPantalla(pantalla, [this, pantalla] {
        return std::make_unique<PantallaFalsa>(
            [this, pantalla] { sucesos.push_back("carga:" + nombrePantalla(pantalla)); });
    });
}
