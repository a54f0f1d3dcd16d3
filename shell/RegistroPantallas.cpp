#include "RegistroPantallas.h"

#include "FRM256.h"
#include "FRMInicio.h"
#include "archive/FRMGrabar.h"
#include "archive/FRMRecuperar.h"
#include "casting/FRM64HEXAGRAMAS.h"
#include "casting/FRMIntroducir.h"
#include "casting/FRMTirada.h"
#include "casting/frmconsulta.h"
#include "interpretation/FRMInterpretar.h"
#include "printing/FRMImprimir.h"

#include <memory>

namespace hexora {

void registrarPantallas() {
    registrarPantalla(Pantalla::FRM256, [] { return std::make_unique<FRM256>(); });
    registrarPantalla(Pantalla::FRMInicio, [] { return std::make_unique<FRMInicio>(); });
    registrarPantalla(Pantalla::FRMGrabar, [] { return std::make_unique<FRMGrabar>(); });
    registrarPantalla(Pantalla::FRMRecuperar, [] { return std::make_unique<FRMRecuperar>(); });
    registrarPantalla(Pantalla::FRMInterpretar, [] { return std::make_unique<FRMInterpretar>(); });
    registrarPantalla(Pantalla::FRMImprimir, [] { return std::make_unique<FRMImprimir>(); });
    registrarPantalla(Pantalla::frmconsulta, [] { return std::make_unique<frmconsulta>(); });
    registrarPantalla(Pantalla::FRMTirada, [] { return std::make_unique<FRMTirada>(); });
    registrarPantalla(Pantalla::FRMIntroducir, [] { return std::make_unique<FRMIntroducir>(); });
    registrarPantalla(Pantalla::FRM64HEXAGRAMAS,
                      [] { return std::make_unique<FRM64HEXAGRAMAS>(); });
}

} // namespace hexora
