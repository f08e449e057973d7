// A bare Xlib window without any accessibility, for the screen-input tests. It writes every key
// it receives to a log ("keysym state" per line), takes PRIMARY with a given text at each button
// release, and answers Ctrl+C by taking CLIPBOARD with a given text, like an application that
// offers no accessibility at all. A given WM_CLASS makes it pass for a terminal.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

struct Options {
    std::string windowClass = "GlossivoPlain";
    std::string title = "Glossivo plain window";
    std::string primary;
    std::string copy;
    std::string log;
    int x = 700;
    int y = 200;
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--class")
            o.windowClass = value;
        else if (key == "--title")
            o.title = value;
        else if (key == "--primary")
            o.primary = value;
        else if (key == "--copy")
            o.copy = value;
        else if (key == "--log")
            o.log = value;
        else if (key == "--x")
            o.x = std::atoi(value);
        else if (key == "--y")
            o.y = std::atoi(value);
    }
    return o;
}

void answer(Display* display, const XSelectionRequestEvent& request, const std::string& text)
{
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    reply.property = request.property ? request.property : request.target;
    if (request.target == targets) {
        Atom offered[] = {targets, utf8, XA_STRING};
        XChangeProperty(display, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(offered), 3);
    } else if (request.target == utf8 || request.target == XA_STRING) {
        XChangeProperty(display, request.requestor, reply.property, request.target, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        int(text.size()));
    } else {
        reply.property = None;
    }
    XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
    XFlush(display);
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), options.x,
                                              options.y, 400, 200, 0, 0, 0xffffff);
    XClassHint hint{const_cast<char*>("glossivo-plain"),
                    const_cast<char*>(options.windowClass.c_str())};
    XSetClassHint(display, window, &hint);
    XStoreName(display, window, options.title.c_str());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(options.title.data()),
                    int(options.title.size()));
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XSizeHints size{};
    size.flags = PPosition | USPosition;
    size.x = options.x;
    size.y = options.y;
    XSetWMNormalHints(display, window, &size);
    XWMHints wmHints{};
    wmHints.flags = InputHint;
    wmHints.input = True;
    XSetWMHints(display, window, &wmHints);
    XSelectInput(display, window,
                 KeyPressMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask |
                     ExposureMask);
    XMapWindow(display, window);

    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    FILE* log = options.log.empty() ? nullptr : std::fopen(options.log.c_str(), "w");
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case MapNotify: {
            // Where the window really is, once the window manager placed it.
            int x = 0, y = 0;
            Window child = None;
            XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y,
                                  &child);
            std::printf("window %d %d\nready\n", x, y);
            std::fflush(stdout);
            break;
        }
        case ButtonRelease:
            if (!options.primary.empty())
                XSetSelectionOwner(display, XA_PRIMARY, window, event.xbutton.time);
            break;
        case KeyPress: {
            const KeySym keysym = XLookupKeysym(&event.xkey, 0);
            if (log) {
                std::fprintf(log, "%lu %u\n", keysym, event.xkey.state);
                std::fflush(log);
            }
            if (keysym == XK_c && (event.xkey.state & ControlMask) && !options.copy.empty())
                XSetSelectionOwner(display, clipboard, window, event.xkey.time);
            break;
        }
        case SelectionRequest:
            answer(display, event.xselectionrequest,
                   event.xselectionrequest.selection == clipboard ? options.copy : options.primary);
            break;
        default:
            break;
        }
    }
}
