/* Presses Ctrl+V as a keyboard would and reports the milliseconds until a screen region changes:
 * from the key to the board laid from the clipboard. Usage: pastewait X Y WIDTH HEIGHT
 * (root coordinates of the board; the program must have the keyboard focus). */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static XImage* grab(Display* display, int x, int y, unsigned w, unsigned h) {
    return XGetImage(display, DefaultRootWindow(display), x, y, w, h, AllPlanes, ZPixmap);
}

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: pastewait X Y WIDTH HEIGHT\n");
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const unsigned w = (unsigned)atoi(argv[3]), h = (unsigned)atoi(argv[4]);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "pastewait: cannot open display\n");
        return 2;
    }
    XImage* before = grab(display, x, y, w, h);
    if (!before) {
        fprintf(stderr, "pastewait: cannot read the screen\n");
        return 2;
    }
    const size_t bytes = (size_t)before->bytes_per_line * h;
    const KeyCode control = XKeysymToKeycode(display, XK_Control_L);
    const KeyCode v = XKeysymToKeycode(display, XK_v);
    XTestFakeKeyEvent(display, control, True, 0);
    XTestFakeKeyEvent(display, v, True, 0);
    XTestFakeKeyEvent(display, v, False, 0);
    XTestFakeKeyEvent(display, control, False, 0);
    XSync(display, False);
    const double start = now_ms();
    for (;;) {
        XImage* now = grab(display, x, y, w, h);
        const int changed = now && memcmp(now->data, before->data, bytes) != 0;
        if (now)
            XDestroyImage(now);
        if (changed)
            break;
        if (now_ms() - start > 30000) {
            fprintf(stderr, "pastewait: nothing changed in 30 s\n");
            return 1;
        }
        const struct timespec tick = {0, 1000 * 1000};
        nanosleep(&tick, NULL);
    }
    printf("%.1f\n", now_ms() - start);
    XDestroyImage(before);
    XCloseDisplay(display);
    return 0;
}
