/* bench_xpoll: wait on one X connection until a top-level window whose title
 * contains a given text is shown, then print the milliseconds elapsed since a
 * start time. Can also start the measured program itself (--exec) and answer
 * a message box by pressing Return on it (--press-enter-on-title).
 *
 * Exit status: 0 found, 1 usage or X error, 2 timeout, 3 the started program
 * ended before its window appeared. */
#define _GNU_SOURCE
#include <errno.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#ifdef HAVE_XTEST
#include <X11/extensions/XTest.h>
#endif

typedef struct {
    Window id;
    int presses;          /* Return presses sent to this window so far */
    int64_t last_press;   /* monotonic ns of the last press */
} Tracked;

static Display *dpy;
static Window root;
static Atom a_net_wm_name, a_wm_protocols, a_wm_delete;
static Tracked *wins;
static size_t nwins, capwins;

static const char *want_title;  /* substring to wait for */
static const char *press_title; /* exact title of a box to answer */
static int press_done;          /* a box was answered and went away */
static int verbose;

static int64_t now_ns(clockid_t c)
{
    struct timespec ts;
    clock_gettime(c, &ts);
    return (int64_t)ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

/* Windows vanish between an event and our request for them; that is normal. */
static int ignore_errors(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0;
}

static void usage(void)
{
    fprintf(stderr,
            "usage: bench_xpoll [--title TEXT] [--press-enter-on-title TITLE]\n"
            "                   [--start-ns NS] [--timeout SECONDS] [--verbose]\n"
            "                   [--exec -- PROGRAM ARGS...]\n"
            "  --title TEXT   wait for a shown top-level window whose title contains TEXT,\n"
            "                 then print the milliseconds since the start time\n"
            "  --press-enter-on-title TITLE  press Return on every shown window titled\n"
            "                 exactly TITLE (alone: exit once such a box was answered)\n"
            "  --start-ns NS  start time, CLOCK_MONOTONIC ns (values above 1e18 are\n"
            "                 taken as epoch ns); default: now\n"
            "  --exec -- ...  start the program (own process group) right after taking\n"
            "                 the start time; it is killed when the wait ends\n");
}

/* Returns a malloc'ed title or NULL; _NET_WM_NAME first, WM_NAME after. */
static char *read_title(Window w)
{
    Atom props[2] = {a_net_wm_name, XA_WM_NAME};
    for (int i = 0; i < 2; i++) {
        Atom type;
        int format;
        unsigned long n, after;
        unsigned char *data = NULL;
        if (XGetWindowProperty(dpy, w, props[i], 0, 4096, False, AnyPropertyType, &type,
                               &format, &n, &after, &data) != Success)
            continue;
        if (data && type != None && format == 8) {
            char *s = malloc(n + 1);
            memcpy(s, data, n);
            s[n] = '\0';
            XFree(data);
            return s;
        }
        if (data)
            XFree(data);
    }
    return NULL;
}

static int viewable(Window w)
{
    XWindowAttributes wa;
    if (!XGetWindowAttributes(dpy, w, &wa))
        return 0;
    return wa.map_state == IsViewable;
}

static Tracked *find(Window w)
{
    for (size_t i = 0; i < nwins; i++)
        if (wins[i].id == w)
            return &wins[i];
    return NULL;
}

static void forget(Window w)
{
    for (size_t i = 0; i < nwins; i++)
        if (wins[i].id == w) {
            wins[i] = wins[--nwins];
            return;
        }
}

static void press_return(Tracked *t)
{
    Window w = t->id;
    t->presses++;
    t->last_press = now_ns(CLOCK_MONOTONIC);
    if (t->presses > 5) {
        /* Keys did not help: ask the window manager way, as a close button would. */
        XEvent ev;
        memset(&ev, 0, sizeof ev);
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w;
        ev.xclient.message_type = a_wm_protocols;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = (long)a_wm_delete;
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy, w, False, NoEventMask, &ev);
        XFlush(dpy);
        if (verbose)
            fprintf(stderr, "bench_xpoll: sent WM_DELETE_WINDOW to 0x%lx\n", w);
        return;
    }
    /* Without a window manager nobody gives the box the focus, so do it here. */
    XSetInputFocus(dpy, w, RevertToPointerRoot, CurrentTime);
    KeyCode kc = XKeysymToKeycode(dpy, XK_Return);
#ifdef HAVE_XTEST
    int ev_base, err_base, major, minor;
    if (XTestQueryExtension(dpy, &ev_base, &err_base, &major, &minor)) {
        XTestFakeKeyEvent(dpy, kc, True, 0);
        XTestFakeKeyEvent(dpy, kc, False, 0);
        XFlush(dpy);
        if (verbose)
            fprintf(stderr, "bench_xpoll: XTEST Return to 0x%lx\n", w);
        return;
    }
#endif
    XKeyEvent k;
    memset(&k, 0, sizeof k);
    k.display = dpy;
    k.window = w;
    k.root = root;
    k.subwindow = None;
    k.time = CurrentTime;
    k.same_screen = True;
    k.keycode = kc;
    k.type = KeyPress;
    XSendEvent(dpy, w, True, KeyPressMask, (XEvent *)&k);
    k.type = KeyRelease;
    XSendEvent(dpy, w, True, KeyReleaseMask, (XEvent *)&k);
    XFlush(dpy);
    if (verbose)
        fprintf(stderr, "bench_xpoll: XSendEvent Return to 0x%lx\n", w);
}

/* Returns 1 when the window is the one we wait for. */
static int check(Window w)
{
    Tracked *t = find(w);
    if (!t)
        return 0;
    char *title = read_title(w);
    if (!title)
        return 0;
    int hit = 0;
    if (want_title && strstr(title, want_title) && viewable(w)) {
        hit = 1;
        if (verbose)
            fprintf(stderr, "bench_xpoll: found 0x%lx \"%s\"\n", w, title);
    } else if (press_title && strcmp(title, press_title) == 0 && viewable(w)) {
        int64_t since = now_ns(CLOCK_MONOTONIC) - t->last_press;
        if (t->presses == 0 || since > 300000000LL)
            press_return(t);
    }
    free(title);
    return hit;
}

static int track(Window w)
{
    if (find(w))
        return check(w);
    if (nwins == capwins) {
        capwins = capwins ? capwins * 2 : 64;
        wins = realloc(wins, capwins * sizeof *wins);
    }
    wins[nwins++] = (Tracked){w, 0, 0};
    /* Select before reading the title: a change after this point raises an event. */
    XSelectInput(dpy, w, PropertyChangeMask);
    return check(w);
}

/* Finds windows no event told us about. */
static int scan(void)
{
    Window r, parent, *kids = NULL;
    unsigned int n = 0;
    int hit = 0;
    if (!XQueryTree(dpy, root, &r, &parent, &kids, &n))
        return 0;
    for (unsigned int i = 0; i < n && !hit; i++)
        if (!find(kids[i]))
            hit = track(kids[i]);
    if (kids)
        XFree(kids);
    return hit;
}

/* Does a box we pressed still exist and show? Used by the press-only mode. */
static int pressed_box_gone(void)
{
    int any = 0;
    for (size_t i = 0; i < nwins; i++) {
        if (wins[i].presses == 0)
            continue;
        any = 1;
        if (viewable(wins[i].id))
            return 0;
    }
    return any;
}

static int handle(XEvent *ev)
{
    switch (ev->type) {
    case CreateNotify:
        if (ev->xcreatewindow.parent == root)
            return track(ev->xcreatewindow.window);
        break;
    case ReparentNotify:
        if (ev->xreparent.parent == root)
            return track(ev->xreparent.window);
        break;
    case MapNotify:
        return track(ev->xmap.window);
    case UnmapNotify:
        if (press_title && find(ev->xunmap.window) && find(ev->xunmap.window)->presses)
            press_done = 1;
        break;
    case DestroyNotify:
        if (press_title && find(ev->xdestroywindow.window) &&
            find(ev->xdestroywindow.window)->presses)
            press_done = 1;
        forget(ev->xdestroywindow.window);
        break;
    case PropertyNotify:
        if (ev->xproperty.atom == a_net_wm_name || ev->xproperty.atom == XA_WM_NAME)
            return check(ev->xproperty.window);
        break;
    }
    return 0;
}

static void stop_group(pid_t pid)
{
    int status;
    kill(-pid, SIGTERM);
    int64_t deadline = now_ns(CLOCK_MONOTONIC) + 5000000000LL;
    int reaped = 0;
    while (now_ns(CLOCK_MONOTONIC) < deadline) {
        if (!reaped && waitpid(pid, &status, WNOHANG) == pid)
            reaped = 1;
        /* The engine's helper processes share the group; wait for them as well. */
        if (reaped && kill(-pid, 0) != 0 && errno == ESRCH)
            return;
        usleep(10000);
    }
    kill(-pid, SIGKILL);
    if (!reaped)
        waitpid(pid, &status, 0);
}

int main(int argc, char **argv)
{
    double timeout_s = 60.0;
    int64_t start = 0;
    int have_start = 0;
    char **exec_argv = NULL;

    for (int i = 1; i < argc; i++) {
        const char *a = argv[i];
        int more = i + 1 < argc;
        if (!strcmp(a, "--title") && more)
            want_title = argv[++i];
        else if (!strcmp(a, "--press-enter-on-title") && more)
            press_title = argv[++i];
        else if (!strcmp(a, "--start-ns") && more) {
            start = strtoll(argv[++i], NULL, 10);
            have_start = 1;
        } else if (!strcmp(a, "--timeout") && more)
            timeout_s = atof(argv[++i]);
        else if (!strcmp(a, "--verbose"))
            verbose = 1;
        else if (!strcmp(a, "--exec")) {
            if (i + 1 < argc && !strcmp(argv[i + 1], "--"))
                i++;
            if (i + 1 >= argc) {
                usage();
                return 1;
            }
            exec_argv = &argv[i + 1];
            break;
        } else {
            usage();
            return 1;
        }
    }
    if (!want_title && !press_title) {
        usage();
        return 1;
    }

    dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "bench_xpoll: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignore_errors);
    root = DefaultRootWindow(dpy);
    a_net_wm_name = XInternAtom(dpy, "_NET_WM_NAME", False);
    a_wm_protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    a_wm_delete = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    /* Epoch-based start times are far larger than any monotonic reading. */
    clockid_t clock = CLOCK_MONOTONIC;
    if (have_start && start > 1000000000000000000LL)
        clock = CLOCK_REALTIME;

    pid_t child = 0;
    if (exec_argv) {
        /* Listening is set up already, so no window of the child can be missed. */
        fflush(NULL);
        start = now_ns(CLOCK_MONOTONIC);
        clock = CLOCK_MONOTONIC;
        have_start = 1;
        child = fork();
        if (child < 0) {
            perror("bench_xpoll: fork");
            return 1;
        }
        if (child == 0) {
            setpgid(0, 0);
            char buf[32];
            snprintf(buf, sizeof buf, "%lld", (long long)start);
            setenv("BENCH_START_NS", buf, 1);
            close(ConnectionNumber(dpy));
            dup2(2, 1); /* our stdout carries only the figure */
            execvp(exec_argv[0], exec_argv);
            fprintf(stderr, "bench_xpoll: cannot start %s: %s\n", exec_argv[0], strerror(errno));
            _exit(127);
        }
        setpgid(child, child);
        /* Programs that print their steps on the monotonic clock are measured from here. */
        fprintf(stderr, "bench_xpoll: started %.1f\n", (double)start / 1e6);
    }
    if (!have_start)
        start = now_ns(clock);

    int64_t begin = now_ns(CLOCK_MONOTONIC);
    int64_t deadline = begin + (int64_t)(timeout_s * 1e9);
    int64_t next_scan = begin;
    int64_t next_full = begin + 200000000LL;
    int found = scan();
    int rc = 2;
    int fd = ConnectionNumber(dpy);

    for (;;) {
        if (found) {
            double ms = (double)(now_ns(clock) - start) / 1e6;
            printf("%.1f\n", ms);
            fflush(stdout);
            rc = 0;
            break;
        }
        if (!want_title && press_done && pressed_box_gone()) {
            rc = 0;
            break;
        }
        int64_t t = now_ns(CLOCK_MONOTONIC);
        if (t >= deadline) {
            fprintf(stderr, "bench_xpoll: timeout after %.1f s\n", timeout_s);
            rc = 2;
            break;
        }
        if (child) {
            int status;
            if (waitpid(child, &status, WNOHANG) == child) {
                fprintf(stderr, "bench_xpoll: program ended (status %d) before its window\n",
                        WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
                kill(-child, SIGKILL);
                child = 0;
                rc = 3;
                break;
            }
        }
        while (!found && XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            found = handle(&ev);
        }
        if (found)
            continue;
        t = now_ns(CLOCK_MONOTONIC);
        if (t >= next_full) {
            /* Cheap safety net: titles and windows an event may not have reported. */
            for (size_t i = 0; i < nwins && !found; i++)
                found = check(wins[i].id);
            next_full = t + 200000000LL;
        }
        if (!found && t >= next_scan) {
            found = scan();
            next_scan = t + 10000000LL;
        }
        if (found)
            continue;
        XFlush(dpy);
        if (XPending(dpy))
            continue;
        fd_set rd;
        FD_ZERO(&rd);
        FD_SET(fd, &rd);
        struct timeval tv = {0, 10000};
        select(fd + 1, &rd, NULL, NULL, &tv);
    }

    if (child)
        stop_group(child);
    XCloseDisplay(dpy);
    return rc;
}
