/* Times the start of GUI programs under an X server, the same way for each:
 * from just before fork+exec until the program's top-level window is mapped
 * (MapNotify on the root window for a window whose _NET_WM_PID is the child)
 * and then painted (the window's middle row, read back from the screen, is
 * no longer mostly the black of the bare root, as Qt windows have no
 * background of their own until they paint). The program's resident memory
 * and processor time are read from /proc a given delay after its window was
 * mapped, then it is killed.
 *
 *   bench_startwatch RUNS DELAY_MS NAME PROGRAM [NAME PROGRAM ...]
 *
 * Each program starts once to warm the page cache (run 0), then the programs
 * start in turn, one after another, RUNS times each. One line per start:
 *   NAME RUN MAPPED_MS PAINTED_MS VMRSS_KIB RSSANON_KIB RSSFILE_KIB RSSSHMEM_KIB CPU_MS
 * CPU_MS is the processor time its threads still alive had used by the time
 * memory was read; unlike the elapsed times it hardly depends on machine load.
 * The X server must have a black root (Xvfb -br) and no window manager. */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Display *dpy;
static Window root;
static Atom wmPid;

struct result {
    double mapped, painted;
    long vmrss, anon, file, shmem;
    double cpu;
};

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* A window gone before it is read from is not an error worth dying for. */
static int ignore_error(Display *d, XErrorEvent *e)
{
    (void)d;
    (void)e;
    return 0;
}

/* The next X event, waiting at most wait_ms; 0 when none came. */
static int next_event(XEvent *ev, int wait_ms)
{
    if (!XPending(dpy)) {
        struct pollfd p = {ConnectionNumber(dpy), POLLIN, 0};
        if (poll(&p, 1, wait_ms) <= 0 || !XPending(dpy))
            return 0;
    }
    XNextEvent(dpy, ev);
    return 1;
}

static long window_pid(Window w)
{
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char *data = NULL;
    long pid = -1;
    if (XGetWindowProperty(dpy, w, wmPid, 0, 1, False, XA_CARDINAL, &type, &format, &n, &after, &data) == Success
        && data && n == 1 && format == 32)
        pid = *(long *)data;
    if (data)
        XFree(data);
    return pid;
}

/* Whether at least half of the window's middle row shows something other than black. */
static int painted(int x, int y, int w, int h)
{
    const int sw = DisplayWidth(dpy, DefaultScreen(dpy)), sh = DisplayHeight(dpy, DefaultScreen(dpy));
    if (x < 0) { w += x; x = 0; }
    if (x + w > sw) w = sw - x;
    const int row = y + h / 2;
    if (w <= 0 || row < 0 || row >= sh)
        return 0;
    XImage *img = XGetImage(dpy, root, x, row, (unsigned)w, 1, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    int lit = 0;
    for (int i = 0; i < w; ++i)
        lit += (XGetPixel(img, i, 0) & 0xffffff) != 0;
    XDestroyImage(img);
    return lit * 2 >= w;
}

static void read_memory(pid_t pid, struct result *r)
{
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return;
    while (fgets(line, sizeof line, f)) {
        sscanf(line, "VmRSS: %ld", &r->vmrss);
        sscanf(line, "RssAnon: %ld", &r->anon);
        sscanf(line, "RssFile: %ld", &r->file);
        sscanf(line, "RssShmem: %ld", &r->shmem);
    }
    fclose(f);
}

/* Time on the processor of every thread of the process, from the scheduler's
 * nanosecond counters. */
static double cpu_ms(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR *dir = opendir(path);
    if (!dir)
        return 0;
    double total = 0;
    struct dirent *d;
    while ((d = readdir(dir))) {
        if (d->d_name[0] == '.')
            continue;
        char stat[300];
        snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", (int)pid, d->d_name);
        FILE *f = fopen(stat, "r");
        unsigned long long ns = 0;
        if (f) {
            if (fscanf(f, "%llu", &ns) == 1)
                total += ns / 1e6;
            fclose(f);
        }
    }
    closedir(dir);
    return total;
}

static int exited(pid_t pid)
{
    int status;
    return waitpid(pid, &status, WNOHANG) == pid;
}

static int run_once(const char *program, int delay_ms, struct result *r)
{
    XEvent ev;
    XSync(dpy, False);
    while (next_event(&ev, 0)) {
    }
    memset(r, 0, sizeof *r);

    const double t0 = now_ms();
    const pid_t pid = fork();
    if (pid < 0)
        return 0;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execl(program, program, (char *)NULL);
        _exit(127);
    }

    int ok = 0, dead = 0;
    Window win = 0;
    const double deadline = t0 + 20000;
    while (!win && now_ms() < deadline) {
        if (next_event(&ev, 50)) {
            if (ev.type == MapNotify && ev.xmap.event == root && !ev.xmap.override_redirect
                && window_pid(ev.xmap.window) == pid)
                win = ev.xmap.window;
        } else if (exited(pid)) {
            dead = 1;
            break;
        }
    }
    if (!win)
        goto done;
    r->mapped = now_ms() - t0;

    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, win, &a))
        goto done;
    while (!painted(a.x, a.y, a.width, a.height)) {
        if (now_ms() > deadline || exited(pid)) {
            dead = 1;
            goto done;
        }
        usleep(250);
    }
    r->painted = now_ms() - t0;

    while (now_ms() < t0 + r->mapped + delay_ms) {
        if (!next_event(&ev, 20) && exited(pid)) {
            dead = 1;
            goto done;
        }
    }
    read_memory(pid, r);
    r->cpu = cpu_ms(pid);
    ok = 1;

done:
    if (!dead) {
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
    }
    /* The next start must find the screen black again where this window was. */
    if (win) {
        const double until = now_ms() + 3000;
        while (now_ms() < until) {
            if (next_event(&ev, 50) && ev.type == DestroyNotify && ev.xdestroywindow.window == win)
                break;
        }
        XSync(dpy, False);
    }
    return ok;
}

int main(int argc, char **argv)
{
    if (argc < 5 || (argc - 3) % 2) {
        fprintf(stderr, "usage: %s RUNS DELAY_MS NAME PROGRAM [NAME PROGRAM ...]\n", argv[0]);
        return 2;
    }
    const int runs = atoi(argv[1]), delay = atoi(argv[2]);
    dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignore_error);
    root = DefaultRootWindow(dpy);
    wmPid = XInternAtom(dpy, "_NET_WM_PID", False);
    XSelectInput(dpy, root, SubstructureNotifyMask);

    int failures = 0;
    for (int run = 0; run <= runs; ++run) {
        for (int p = 3; p + 1 < argc; p += 2) {
            struct result r;
            if (run_once(argv[p + 1], delay, &r)) {
                printf("%s %d %.2f %.2f %ld %ld %ld %ld %.2f\n", argv[p], run, r.mapped, r.painted, r.vmrss, r.anon,
                       r.file, r.shmem, r.cpu);
            } else {
                printf("%s %d fail\n", argv[p], run);
                ++failures;
            }
            fflush(stdout);
        }
    }
    XCloseDisplay(dpy);
    return failures ? 1 : 0;
}
