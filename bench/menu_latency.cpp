// Menu-open latency seen from outside the program, as a user's click meets
// it: clicks a point of the screen (a menu title of the main window) through
// the XTest extension and waits for a popup window (override-redirect) to be
// mapped; then closes it with Escape and waits for it to go. One line a
// click, in milliseconds from the click to the popup's map.
//
//   menu_latency X Y COUNT [PAUSE_MS]
//
// Built and run by menu_latency.sh; it needs an X display (Xvfb will do).

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// The next event, or false once the deadline has passed.
bool NextEvent(Display* dpy, XEvent& event, Clock::time_point deadline) {
    while (XPending(dpy) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
        poll(&fd, 1, int(left));
    }
    XNextEvent(dpy, &event);
    return true;
}

void Drain(Display* dpy) {
    XSync(dpy, False);
    while (XPending(dpy) > 0) {
        XEvent event;
        XNextEvent(dpy, &event);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s X Y COUNT [PAUSE_MS]\n", argv[0]);
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    const int pauseMs = argc > 4 ? std::atoi(argv[4]) : 400;
    Display* dpy = XOpenDisplay(nullptr);
    if (dpy == nullptr) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy, &eventBase, &errorBase, &major, &minor)) {
        std::fprintf(stderr, "%s: the display has no XTest extension\n", argv[0]);
        return 1;
    }
    XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
    const KeyCode escape = XKeysymToKeycode(dpy, XK_Escape);
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
        Drain(dpy);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Drain(dpy);
        const auto start = Clock::now();
        XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
        XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
        XFlush(dpy);
        Window popup = 0;
        XEvent event;
        while (popup == 0 && NextEvent(dpy, event, start + std::chrono::seconds(10))) {
            if (event.type == MapNotify && event.xmap.override_redirect)
                popup = event.xmap.window;
        }
        if (popup == 0) {
            std::printf("no menu within 10 s\n");
            std::fflush(stdout);
            ++failures;
            continue;
        }
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::printf("%.1f\n", ms);
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        XTestFakeKeyEvent(dpy, escape, True, CurrentTime);
        XTestFakeKeyEvent(dpy, escape, False, CurrentTime);
        XFlush(dpy);
        const auto closing = Clock::now();
        bool closed = false;
        while (!closed && NextEvent(dpy, event, closing + std::chrono::seconds(10)))
            closed = event.type == UnmapNotify && event.xunmap.window == popup;
        if (!closed) {
            std::fprintf(stderr, "%s: the menu did not close\n", argv[0]);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    XCloseDisplay(dpy);
    return failures == 0 ? 0 : 1;
}
