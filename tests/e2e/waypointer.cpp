// Gives a headless wlroots compositor (sway), which has no input device of its own, a pointer
// for the test to move and click with the compositor's own commands: a device of its
// virtual-pointer protocol, made before the program starts so that the program's seat has a
// pointer from its first moment. Prints "ok" once the device is there, and keeps it until it
// is ended or the compositor goes.

#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// wlr-virtual-pointer-unstable-v1 as far as it is used: the manager's first request makes a
// pointer, which then receives no request from here.
const wl_interface kPointerInterface = {"zwlr_virtual_pointer_v1", 1, 0, nullptr, 0, nullptr};
const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kPointerInterface};
const wl_message kCreatePointer = {"create_virtual_pointer", "?on", kCreateTypes};
const wl_interface kManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 1, &kCreatePointer, 0, nullptr};

wl_proxy* manager = nullptr;

void announce(void*, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    if (std::strcmp(interface, kManagerInterface.name) == 0)
        manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManagerInterface, 1));
}

void forget(void*, wl_registry*, std::uint32_t) {}

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no Wayland compositor to connect to\n");
        return 1;
    }
    const wl_registry_listener listener{announce, forget};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, nullptr);
    wl_display_roundtrip(display);
    if (manager == nullptr) {
        std::fprintf(stderr, "the compositor offers no virtual pointer\n");
        return 1;
    }
    // No seat named: the compositor's default seat.
    wl_proxy_marshal_flags(manager, 0, &kPointerInterface, 1, 0, nullptr, nullptr);
    if (wl_display_roundtrip(display) < 0)
        return 1;
    std::puts("ok");
    std::fflush(stdout);
    while (wl_display_dispatch(display) >= 0) {
    }
    return 0;
}
