/* Starts a program and reports, on one line, the milliseconds from exec to the mapping of its
 * first top-level window, and its resident memory in KiB half a second later. It then ends the
 * program. Usage: mapwait PROGRAM [ARGS...] (DISPLAY must name a server without a window
 * manager, so that the program's own map request is what the root window sees). */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static long resident_kib(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* file = fopen(path, "r");
    if (!file)
        return -1;
    char line[256];
    long kib = -1;
    while (fgets(line, sizeof line, file)) {
        if (strncmp(line, "VmRSS:", 6) == 0) {
            kib = strtol(line + 6, NULL, 10);
            break;
        }
    }
    fclose(file);
    return kib;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: mapwait PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "mapwait: cannot open display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double mapped = -1;
    while (mapped < 0) {
        while (mapped < 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                mapped = now_ms() - start;
        }
        if (mapped >= 0)
            break;
        if (waitpid(pid, NULL, WNOHANG) == pid || now_ms() - start > 30000) {
            fprintf(stderr, "mapwait: %s ended or showed no window\n", argv[1]);
            kill(pid, SIGKILL);
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(ConnectionNumber(display), &readable);
        struct timeval tick = {0, 20 * 1000};
        select(ConnectionNumber(display) + 1, &readable, NULL, NULL, &tick);
    }
    const struct timespec settle = {0, 500 * 1000 * 1000};
    nanosleep(&settle, NULL);
    const long kib = resident_kib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("%.1f %ld\n", mapped, kib);
    XCloseDisplay(display);
    return 0;
}
