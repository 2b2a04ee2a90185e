/* A tiny X client for the task list's tests: it opens one top-level window
 * per title given and behaves as told.
 *
 *   zorun_xclient [options] TITLE...
 *     --log FILE       append "mapped ID TITLE" for each window shown, "close
 *                      TITLE" for each close request, "exit" at the end
 *     --ignore-close   never close a window when asked (a refusing program)
 *     --no-pid         do not say the process id (_NET_WM_PID), as xeyes
 *     --dialog N       window N (from 0) is of the dialog type
 *     --transient N    window N is transient for window 0
 *     --hidden N       window N is never mapped
 *     --iconic N       window N is marked hidden (_NET_WM_STATE_HIDDEN) once
 *                      mapped, as window managers mark iconified windows
 *     --legacy-name N  window N has only WM_NAME (Latin-1), no _NET_WM_NAME
 *     --class NAME     WM_CLASS class (default "ZorunXClient")
 *
 * An empty TITLE makes a window with an empty name. The client ends when every
 * window it mapped has been closed, or when its connection is killed.
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define MAX_WINDOWS 16

static FILE* logFile;

static void Log(const char* what, const char* title, Window id) {
    if (!logFile)
        return;
    if (id)
        fprintf(logFile, "%s %lu %s\n", what, (unsigned long)id, title ? title : "");
    else
        fprintf(logFile, "%s%s%s\n", what, title ? " " : "", title ? title : "");
    fflush(logFile);
}

static int InList(int index, const int* list, int count) {
    for (int i = 0; i < count; ++i)
        if (list[i] == index)
            return 1;
    return 0;
}

int main(int argc, char** argv) {
    const char* titles[MAX_WINDOWS];
    int titleCount = 0, ignoreClose = 0, noPid = 0;
    int dialogs[MAX_WINDOWS], dialogCount = 0, transients[MAX_WINDOWS], transientCount = 0;
    int hidden[MAX_WINDOWS], hiddenCount = 0, legacy[MAX_WINDOWS], legacyCount = 0;
    int iconic[MAX_WINDOWS], iconicCount = 0;
    const char* className = "ZorunXClient";
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        int more = i + 1 < argc;
        if (!strcmp(a, "--log") && more)
            logFile = fopen(argv[++i], "a");
        else if (!strcmp(a, "--ignore-close"))
            ignoreClose = 1;
        else if (!strcmp(a, "--no-pid"))
            noPid = 1;
        else if (!strcmp(a, "--dialog") && more && dialogCount < MAX_WINDOWS)
            dialogs[dialogCount++] = atoi(argv[++i]);
        else if (!strcmp(a, "--transient") && more && transientCount < MAX_WINDOWS)
            transients[transientCount++] = atoi(argv[++i]);
        else if (!strcmp(a, "--hidden") && more && hiddenCount < MAX_WINDOWS)
            hidden[hiddenCount++] = atoi(argv[++i]);
        else if (!strcmp(a, "--iconic") && more && iconicCount < MAX_WINDOWS)
            iconic[iconicCount++] = atoi(argv[++i]);
        else if (!strcmp(a, "--legacy-name") && more && legacyCount < MAX_WINDOWS)
            legacy[legacyCount++] = atoi(argv[++i]);
        else if (!strcmp(a, "--class") && more)
            className = argv[++i];
        else if (titleCount < MAX_WINDOWS)
            titles[titleCount++] = a;
    }
    if (titleCount == 0) {
        fprintf(stderr, "usage: %s [options] TITLE...\n", argv[0]);
        return 2;
    }

    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "zorun_xclient: cannot open the display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    Atom wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom wmDelete = XInternAtom(display, "WM_DELETE_WINDOW", False);
    Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom typeDialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    Atom typeNormal = XInternAtom(display, "_NET_WM_WINDOW_TYPE_NORMAL", False);
    Atom netWmState = XInternAtom(display, "_NET_WM_STATE", False);
    Atom stateHidden = XInternAtom(display, "_NET_WM_STATE_HIDDEN", False);

    Window windows[MAX_WINDOWS];
    int open[MAX_WINDOWS];
    int openCount = 0;
    for (int i = 0; i < titleCount; ++i) {
        Window w = XCreateSimpleWindow(display, root, 10 * i, 10 * i, 120, 80, 0, 0, 0xFFFFFF);
        windows[i] = w;
        XClassHint hint = {(char*)"zorun_xclient", (char*)className};
        XSetClassHint(display, w, &hint);
        /* WM_CLIENT_MACHINE, as every toolkit sets it beside the process id. */
        char host[256] = {0};
        if (gethostname(host, sizeof host - 1) == 0) {
            XTextProperty machine;
            char* list[] = {host};
            if (XStringListToTextProperty(list, 1, &machine)) {
                XSetWMClientMachine(display, w, &machine);
                XFree(machine.value);
            }
        }
        /* An empty title is stored as such: left unset, some window
         * managers name the window themselves. */
        XStoreName(display, w, titles[i]);
        if (!InList(i, legacy, legacyCount))
            XChangeProperty(display, w, netWmName, utf8, 8, PropModeReplace,
                            (const unsigned char*)titles[i], (int)strlen(titles[i]));
        if (!noPid) {
            long pid = (long)getpid();
            XChangeProperty(display, w, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                            (unsigned char*)&pid, 1);
        }
        Atom type = InList(i, dialogs, dialogCount) ? typeDialog : typeNormal;
        XChangeProperty(display, w, windowType, XA_ATOM, 32, PropModeReplace, (unsigned char*)&type,
                        1);
        if (i > 0 && InList(i, transients, transientCount))
            XSetTransientForHint(display, w, windows[0]);
        XSetWMProtocols(display, w, &wmDelete, 1);
        XSelectInput(display, w, StructureNotifyMask);
        open[i] = 0;
        if (!InList(i, hidden, hiddenCount)) {
            XMapWindow(display, w);
            open[i] = 1;
            ++openCount;
        }
    }
    XSync(display, False);
    for (int i = 0; i < titleCount; ++i)
        if (open[i])
            Log("mapped", titles[i], windows[i]);

    while (openCount > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            for (int i = 0; i < titleCount; ++i) {
                if (windows[i] == event.xmap.window && InList(i, iconic, iconicCount)) {
                    XChangeProperty(display, windows[i], netWmState, XA_ATOM, 32, PropModeReplace,
                                    (unsigned char*)&stateHidden, 1);
                    XSync(display, False);
                    Log("iconic", titles[i], 0);
                }
            }
            continue;
        }
        if (event.type != ClientMessage || event.xclient.message_type != wmProtocols ||
            (Atom)event.xclient.data.l[0] != wmDelete)
            continue;
        for (int i = 0; i < titleCount; ++i) {
            if (windows[i] != event.xclient.window || !open[i])
                continue;
            Log("close", titles[i], 0);
            if (!ignoreClose) {
                XDestroyWindow(display, windows[i]);
                XSync(display, False);
                open[i] = 0;
                --openCount;
            }
        }
    }
    Log("exit", NULL, 0);
    XCloseDisplay(display);
    return 0;
}
