/* Frame-time probe, loaded into the game with LD_PRELOAD: wraps glfwSwapBuffers
 * and appends one line per swap to the file named by PEMBRIX_PROBE_LOG:
 *   swap <wall ns, CLOCK_REALTIME> <process CPU ns> <main-thread CPU ns>
 * "mark <name> <wall ns> <calling thread's CPU ns>" around glfwInit and glfwCreateWindow and at the first
 * call of a few GLFW functions that the game calls once at a known step of its
 * start-up (where start-up goes), and, when the process exits normally,
 * "vmhwm <kB>" (peak resident memory).
 * The game itself reads no option or variable; without PEMBRIX_PROBE_LOG the
 * probe only passes the call on. Built by tools/perf/build_probe.sh. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef void (*SwapFn)(void*);
typedef int (*InitFn)(void);
typedef void* (*CreateWindowFn)(int, int, const char*, void*, void*);

static FILE* logFile;
static SwapFn realSwap;
static InitFn realInit;
static CreateWindowFn realCreateWindow;

static long long nanoseconds(clockid_t clock) {
    struct timespec now;
    clock_gettime(clock, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

__attribute__((constructor)) static void openLog(void) {
    const char* path = getenv("PEMBRIX_PROBE_LOG");
    if (path && *path) logFile = fopen(path, "w");
    realSwap = (SwapFn)dlsym(RTLD_NEXT, "glfwSwapBuffers");
    realInit = (InitFn)dlsym(RTLD_NEXT, "glfwInit");
    realCreateWindow = (CreateWindowFn)dlsym(RTLD_NEXT, "glfwCreateWindow");
}

static void mark(const char* name) {
    if (!logFile) return;
    fprintf(logFile, "mark %s %lld %lld\n", name, nanoseconds(CLOCK_REALTIME), nanoseconds(CLOCK_THREAD_CPUTIME_ID));
    fflush(logFile);
}

int glfwInit(void) {
    mark("glfwInit");
    const int result = realInit ? realInit() : 0;
    mark("glfwInit-done");
    return result;
}

void* glfwCreateWindow(int width, int height, const char* title, void* monitor, void* share) {
    mark("glfwCreateWindow");
    void* window = realCreateWindow ? realCreateWindow(width, height, title, monitor, share) : NULL;
    mark("glfwCreateWindow-done");
    return window;
}

/* Reads VmHWM from /proc/self/status; -1 when it cannot. */
static long peakResidentKb(void) {
    FILE* status = fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, status)) {
        if (strncmp(line, "VmHWM:", 6) == 0) kb = strtol(line + 6, NULL, 10);
    }
    fclose(status);
    return kb;
}

__attribute__((destructor)) static void closeLog(void) {
    if (!logFile) return;
    fprintf(logFile, "vmhwm %ld\n", peakResidentKb());
    fclose(logFile);
    logFile = NULL;
}

/* First calls: the context is made current right after the window opens; the
 * key callback is set after the 2D drawer is ready and before the scene
 * renderer starts; the clock is first read when every subsystem has started;
 * events are first polled at the start of the first frame. */
typedef void (*VoidFn)(void*);
typedef void* (*SetCallbackFn)(void*, void*);
typedef double (*TimeFn)(void);
typedef void (*PollFn)(void);

#define FIRST_CALL(name)                  \
    static int seen_##name;               \
    if (!seen_##name) {                   \
        seen_##name = 1;                  \
        mark(#name);                      \
    }

void glfwMakeContextCurrent(void* window) {
    FIRST_CALL(glfwMakeContextCurrent)
    static VoidFn real;
    if (!real) real = (VoidFn)dlsym(RTLD_NEXT, "glfwMakeContextCurrent");
    real(window);
}

void* glfwSetKeyCallback(void* window, void* callback) {
    FIRST_CALL(glfwSetKeyCallback)
    static SetCallbackFn real;
    if (!real) real = (SetCallbackFn)dlsym(RTLD_NEXT, "glfwSetKeyCallback");
    return real(window, callback);
}

double glfwGetTime(void) {
    FIRST_CALL(glfwGetTime)
    static TimeFn real;
    if (!real) real = (TimeFn)dlsym(RTLD_NEXT, "glfwGetTime");
    return real();
}

void glfwPollEvents(void) {
    FIRST_CALL(glfwPollEvents)
    static PollFn real;
    if (!real) real = (PollFn)dlsym(RTLD_NEXT, "glfwPollEvents");
    real();
}

void glfwSwapBuffers(void* window) {
    if (realSwap) realSwap(window);
    if (!logFile) return;
    /* Flushed at once: a run that is killed still leaves every frame behind. */
    fprintf(logFile, "swap %lld %lld %lld\n", nanoseconds(CLOCK_REALTIME), nanoseconds(CLOCK_PROCESS_CPUTIME_ID),
            nanoseconds(CLOCK_THREAD_CPUTIME_ID));
    fflush(logFile);
}
