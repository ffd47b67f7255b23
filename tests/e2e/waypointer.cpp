// A pointer for a headless wlroots compositor (sway), which has no input device of its own: made
// with the compositor's virtual-pointer protocol before the program starts, so that the
// program's seat has a pointer from its first moment. Reads commands from standard input,
// "move X Y" (screen pixels) and "click BUTTON" (1 left, 3 right), and answers "ok" to each
// once the compositor has handled it. Usage: waypointer SCREEN-WIDTH SCREEN-HEIGHT.

#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The two interfaces of wlr-virtual-pointer-unstable-v1, version 1, as its scanner would
// write them; the requests' order is their opcodes.
const wl_interface* kNoTypes[5] = {};
extern const wl_interface kPointerInterface;
const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kPointerInterface};
const wl_message kManagerRequests[] = {{"create_virtual_pointer", "?on", kCreateTypes},
                                       {"destroy", "", kNoTypes}};
const wl_interface kManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, kManagerRequests, 0, nullptr};
const wl_message kPointerRequests[] = {
    {"motion", "uff", kNoTypes},   {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes},   {"axis", "uuf", kNoTypes},
    {"frame", "", kNoTypes},       {"axis_source", "u", kNoTypes},
    {"axis_stop", "uu", kNoTypes}, {"axis_discrete", "uufi", kNoTypes},
    {"destroy", "", kNoTypes}};
const wl_interface kPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9,
                                        kPointerRequests,          0, nullptr};

enum PointerRequest : std::uint32_t { kMotionAbsolute = 1, kButton = 2, kFrame = 4 };
constexpr std::uint32_t kLinuxButtonLeft = 0x110;

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, "wl_seat") == 0 && globals->seat == nullptr)
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, kManagerInterface.name) == 0)
        globals->manager =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManagerInterface, 1));
}

void forget(void*, wl_registry*, std::uint32_t) {}

std::uint32_t now() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCREEN-WIDTH SCREEN-HEIGHT\n", argv[0]);
        return 2;
    }
    const auto width = static_cast<std::uint32_t>(std::stoul(argv[1]));
    const auto height = static_cast<std::uint32_t>(std::stoul(argv[2]));
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no Wayland compositor to connect to\n");
        return 1;
    }
    Globals globals;
    const wl_registry_listener listener{announce, forget};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr) {
        std::fprintf(stderr, "the compositor offers no virtual pointer\n");
        return 1;
    }
    wl_proxy* pointer =
        wl_proxy_marshal_flags(globals.manager, 0, &kPointerInterface, 1, 0, globals.seat, nullptr);
    wl_display_roundtrip(display);
    std::cout << "ok" << std::endl;

    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream command(line);
        std::string verb;
        std::uint32_t a = 0;
        std::uint32_t b = 0;
        command >> verb >> a >> b;
        if (verb == "move") {
            wl_proxy_marshal_flags(pointer, kMotionAbsolute, nullptr, 1, 0, now(), a, b, width,
                                   height);
            wl_proxy_marshal_flags(pointer, kFrame, nullptr, 1, 0);
        } else if (verb == "click") {
            const std::uint32_t button = a == 3 ? kLinuxButtonLeft + 1 : kLinuxButtonLeft;
            for (std::uint32_t state : {1U, 0U}) {
                wl_proxy_marshal_flags(pointer, kButton, nullptr, 1, 0, now(), button, state);
                wl_proxy_marshal_flags(pointer, kFrame, nullptr, 1, 0);
            }
        } else {
            std::fprintf(stderr, "unknown command: %s\n", line.c_str());
            return 2;
        }
        if (wl_display_roundtrip(display) < 0) {
            std::fprintf(stderr, "the compositor closed the connection\n");
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    wl_display_disconnect(display);
    return 0;
}
