#include "platform/x11/X11Windows.h"

#include "input/DevicePixels.h"
#include "platform/qt/QtScreens.h"

#include <QByteArray>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace glossivo::X11Windows {

namespace {

// Frames are shallow; a deeper search would only cost round trips.
constexpr int maxSearchDepth = 4;

Atom atom(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

bool hasProperty(Display* display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType,
                                          &type, &format, &count, &after, &data);
    if (data) XFree(data);
    return status == Success && type != None;
}

// The first `maxItems` items of a property, as raw bytes; empty when it is absent.
QByteArray property(Display* display, Window window, Atom property, Atom type, long maxItems,
                    int* format = nullptr)
{
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QByteArray bytes;
    if (XGetWindowProperty(display, window, property, 0, maxItems, False, type, &actualType,
                           &actualFormat, &count, &after, &data) == Success &&
        data && actualType != None) {
        // Xlib hands 32-bit items back as longs.
        const int itemSize = actualFormat == 32 ? int(sizeof(long)) : actualFormat / 8;
        bytes = QByteArray(reinterpret_cast<const char*>(data), qsizetype(count) * itemSize);
        if (format) *format = actualFormat;
    }
    if (data) XFree(data);
    return bytes;
}

unsigned long windowProperty(Display* display, Window window, Atom name)
{
    const QByteArray bytes = property(display, window, name, XA_WINDOW, 1);
    if (bytes.size() < qsizetype(sizeof(long))) return 0;
    return *reinterpret_cast<const unsigned long*>(bytes.constData());
}

Window searchClient(Display* display, Window window, Atom wmState, int depth)
{
    if (hasProperty(display, window, wmState)) return window;
    if (depth >= maxSearchDepth) return None;
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return None;
    Window found = None;
    // Children are listed bottom to top; the visible one is last.
    for (unsigned int i = count; i > 0 && found == None; --i)
        found = searchClient(display, children[i - 1], wmState, depth + 1);
    if (children) XFree(children);
    return found;
}

QString title(Display* display, Window window)
{
    const QByteArray netName = property(display, window, atom(display, "_NET_WM_NAME"),
                                        atom(display, "UTF8_STRING"), 4096);
    if (!netName.isEmpty()) return QString::fromUtf8(netName);
    XTextProperty text;
    if (!XGetWMName(display, window, &text)) return {};
    QString result;
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &text, &list, &count) >= Success && list && count > 0)
        result = QString::fromUtf8(list[0]);
    if (list) XFreeStringList(list);
    if (text.value) XFree(text.value);
    return result;
}

} // namespace

unsigned long clientWindow(Display* display, unsigned long window)
{
    if (!window) return 0;
    const Window found = searchClient(display, window, atom(display, "WM_STATE"), 0);
    return found != None ? found : window;
}

unsigned long topLevelClient(Display* display, unsigned long window)
{
    const Atom wmState = atom(display, "WM_STATE");
    const Window rootWindow = DefaultRootWindow(display);
    Window current = window;
    while (current && current != rootWindow) {
        if (hasProperty(display, current, wmState)) return current;
        Window root = None, parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, current, &root, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == rootWindow) return clientWindow(display, current);
        current = parent;
    }
    return 0;
}

std::optional<QPoint> pointer(Display* display, unsigned long* clientUnderPointer)
{
    Window root = None, child = None;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                       &mask))
        return std::nullopt;
    if (clientUnderPointer) *clientUnderPointer = child ? clientWindow(display, child) : 0;
    return DevicePixels::toLogical(QtScreens::areas(), QPoint(rootX, rootY));
}

std::optional<unsigned long> activeWindow(Display* display)
{
    const Window root = DefaultRootWindow(display);
    if (!windowProperty(display, root, atom(display, "_NET_SUPPORTING_WM_CHECK")))
        return std::nullopt;
    const std::optional<unsigned long> active =
        windowProperty(display, root, atom(display, "_NET_ACTIVE_WINDOW"));
    // A window manager can leave the id of a window that has gone in place, and the server hands
    // freed ids to new clients: the id may now name a window nobody manages (one of our own
    // panels, even). Only a window the manager keeps is the one the user works in.
    if (active && *active && !hasProperty(display, *active, atom(display, "WM_STATE"))) return 0;
    return active;
}

unsigned long focusedWindow(Display* display)
{
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == None || focus == PointerRoot) return 0;
    return topLevelClient(display, focus);
}

WindowInfo describe(Display* display, unsigned long window)
{
    WindowInfo info;
    info.id = window;
    XClassHint hint{nullptr, nullptr};
    if (XGetClassHint(display, window, &hint)) {
        info.appId = QString::fromLocal8Bit(hint.res_class ? hint.res_class : "");
        if (info.appId.isEmpty())
            info.appId = QString::fromLocal8Bit(hint.res_name ? hint.res_name : "");
        if (hint.res_name) XFree(hint.res_name);
        if (hint.res_class) XFree(hint.res_class);
    }
    info.title = title(display, window);
    const QByteArray pid = property(display, window, atom(display, "_NET_WM_PID"), XA_CARDINAL, 1);
    if (pid.size() >= qsizetype(sizeof(long)))
        info.pid = qint64(*reinterpret_cast<const unsigned long*>(pid.constData()));
    return info;
}

} // namespace glossivo::X11Windows
