// Tiempo de arranque hasta la primera ventana: lanza por turnos el programa y un diálogo Qt
// vacío en la pantalla X actual (la de xvfb-run) y mide, para cada uno, desde que se
// lanza hasta que el servidor X pone a la vista (MapNotify) su primera ventana, y hasta
// que cambia por primera vez el punto central de esa ventana (lo primero que dibuja). Al
// final da las medianas y la razón entre ellas.
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/bench_arranque [veces]

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Reloj = std::chrono::steady_clock;

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

class Pantalla {
public:
    Pantalla() : conexion_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(conexion_)) {
            std::fprintf(stderr, "No hay pantalla X: ejecútelo bajo xvfb-run.\n");
            std::exit(2);
        }
        // Cada ventana nueva que se mapea en la raíz llega como MapNotify.
        raiz_ = xcb_setup_roots_iterator(xcb_get_setup(conexion_)).data->root;
        const uint32_t mascara = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(conexion_, raiz_, XCB_CW_EVENT_MASK, &mascara);
        xcb_flush(conexion_);
    }
    ~Pantalla() { xcb_disconnect(conexion_); }

    // Descarta lo que quedara de la vuelta anterior.
    void vaciar() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(conexion_))
            std::free(e);
    }

    // Espera a que se mapee una ventana de primer nivel; 0 si pasa el plazo.
    xcb_window_t esperarVentana(Reloj::time_point limite) {
        const int fd = xcb_get_file_descriptor(conexion_);
        for (;;) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(conexion_)) {
                const auto* mapa = reinterpret_cast<xcb_map_notify_event_t*>(e);
                const xcb_window_t ventana =
                    (e->response_type & 0x7f) == XCB_MAP_NOTIFY && !mapa->override_redirect
                        ? mapa->window
                        : 0;
                std::free(e);
                if (ventana)
                    return ventana;
            }
            const auto falta =
                std::chrono::duration_cast<std::chrono::milliseconds>(limite - Reloj::now());
            if (falta.count() <= 0)
                return 0;
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(falta.count())) < 0 && errno != EINTR)
                return 0;
        }
    }

    // Espera a que cambie el punto central de la ventana; false si pasa el plazo o la
    // ventana desaparece.
    bool esperarDibujo(xcb_window_t ventana, Reloj::time_point limite) {
        auto* geometria =
            xcb_get_geometry_reply(conexion_, xcb_get_geometry(conexion_, ventana), nullptr);
        if (!geometria)
            return false;
        const int16_t x = static_cast<int16_t>(geometria->width / 2);
        const int16_t y = static_cast<int16_t>(geometria->height / 2);
        std::free(geometria);
        const auto punto = [&]() -> long {
            auto* imagen = xcb_get_image_reply(
                conexion_,
                xcb_get_image(conexion_, XCB_IMAGE_FORMAT_Z_PIXMAP, ventana, x, y, 1, 1, ~0u),
                nullptr);
            if (!imagen)
                return -1;
            long valor = 0;
            const uint8_t* datos = xcb_get_image_data(imagen);
            for (int i = 0; i < xcb_get_image_data_length(imagen) && i < 4; ++i)
                valor |= static_cast<long>(datos[i]) << (8 * i);
            std::free(imagen);
            return valor;
        };
        const long inicial = punto();
        while (Reloj::now() < limite) {
            const long ahora = punto();
            if (ahora < 0)
                return false;
            if (ahora != inicial)
                return true;
            usleep(200);
        }
        return false;
    }

private:
    xcb_connection_t* conexion_;
    xcb_window_t raiz_;
};

struct Medida {
    double ventana = -1; // ms hasta que se mapea la primera ventana
    double dibujo = -1;  // ms hasta que cambia su punto central
};

double msDesde(Reloj::time_point inicio) {
    return std::chrono::duration<double, std::milli>(Reloj::now() - inicio).count();
}

Medida medir(Pantalla& pantalla, const std::string& programa) {
    pantalla.vaciar();
    Medida m;
    const auto inicio = Reloj::now();
    const pid_t hijo = fork();
    if (hijo == 0) {
        // Lo que escriba el programa no se mezcla con las cifras.
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execl(programa.c_str(), programa.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    const auto limite = inicio + std::chrono::seconds(10);
    if (const xcb_window_t ventana = pantalla.esperarVentana(limite)) {
        m.ventana = msDesde(inicio);
        if (pantalla.esperarDibujo(ventana, limite))
            m.dibujo = msDesde(inicio);
    }
    kill(hijo, SIGKILL);
    waitpid(hijo, nullptr, 0);
    return m;
}

} // namespace

int main(int argc, char** argv) {
    const int veces = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string programa = HEXORA_PROGRAMA;
    const std::string desnudo = HEXORA_DIALOGO_DESNUDO;
    Pantalla pantalla;

    // Una vuelta de cada uno sin contar, para que todo esté en la caché de disco.
    std::vector<double> ventanaPrograma, ventanaDesnudo, dibujoPrograma, dibujoDesnudo;
    for (int i = -1; i < veces; ++i) {
        // Por turnos, y cada vez empieza uno distinto, para repartir lo que pase en la máquina.
        const bool programaPrimero = i % 2 == 0;
        Medida mPrograma, mDesnudo;
        for (int k = 0; k < 2; ++k) {
            const bool esPrograma = (k == 0) == programaPrimero;
            const Medida m = medir(pantalla, esPrograma ? programa : desnudo);
            if (m.ventana < 0 || m.dibujo < 0) {
                std::fprintf(stderr, "%s no enseñó ninguna ventana dibujada en 10 s\n",
                             esPrograma ? programa.c_str() : desnudo.c_str());
                return 1;
            }
            (esPrograma ? mPrograma : mDesnudo) = m;
        }
        if (i < 0)
            continue;
        ventanaPrograma.push_back(mPrograma.ventana);
        ventanaDesnudo.push_back(mDesnudo.ventana);
        dibujoPrograma.push_back(mPrograma.dibujo);
        dibujoDesnudo.push_back(mDesnudo.dibujo);
        std::printf("vuelta %2d: programa %6.1f ms (dibujada %6.1f), diálogo vacío %6.1f ms "
                    "(dibujado %6.1f)\n",
                    i + 1, mPrograma.ventana, mPrograma.dibujo, mDesnudo.ventana, mDesnudo.dibujo);
    }
    const double p = mediana(ventanaPrograma);
    const double d = mediana(ventanaDesnudo);
    const double pd = mediana(dibujoPrograma);
    const double dd = mediana(dibujoDesnudo);
    std::printf("mediana de %d hasta la primera ventana: programa %.1f ms, diálogo vacío %.1f ms, "
                "razón %.2f\n",
                veces, p, d, p / d);
    std::printf("mediana de %d hasta su primer dibujo:   programa %.1f ms, diálogo vacío %.1f ms, "
                "razón %.2f\n",
                veces, pd, dd, pd / dd);
    return 0;
}
