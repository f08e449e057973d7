#include "platform/x11/X11ScreenGrabber.h"

#include "input/DevicePixels.h"
#include "input/OwnWindowMask.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace glossivo {

namespace {

struct ImageDeleter {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// The position of a colour mask's lowest bit and its width, to read any true-colour layout.
struct Channel {
    int shift = 0;
    unsigned long max = 0;
    explicit Channel(unsigned long mask)
    {
        if (mask == 0) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        max = mask;
    }
    int level(unsigned long pixel) const
    {
        return max ? int(((pixel >> shift) & max) * 255 / max) : 0;
    }
};

GrayImage toGray(XImage& image)
{
    GrayImage gray{image.width, image.height, QByteArray(qsizetype(image.width) * image.height, 0)};
    const Channel red(image.red_mask), green(image.green_mask), blue(image.blue_mask);
    char* out = gray.pixels.data();
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const unsigned long pixel = XGetPixel(&image, x, y);
            // Qt's qGray weights.
            *out++ = char(
                (red.level(pixel) * 11 + green.level(pixel) * 16 + blue.level(pixel) * 5) / 32);
        }
    }
    return gray;
}

} // namespace

X11ScreenGrabber::X11ScreenGrabber(OwnWindows ownWindows) : m_ownWindows(std::move(ownWindows)) {}

X11ScreenGrabber::~X11ScreenGrabber()
{
    if (m_display) XCloseDisplay(m_display);
}

Display* X11ScreenGrabber::display()
{
    if (!m_opened) {
        m_opened = true;
        m_display = XOpenDisplay(nullptr);
        // A window that vanishes between two requests must not end the program.
        if (m_display) X11Connection::countErrors();
    }
    return m_display;
}

std::optional<GrayImage> X11ScreenGrabber::capture(const QRect& rect, const ScreenArea& screen)
{
    Display* x = display();
    if (!x) return std::nullopt;
    const int number = DefaultScreen(x);
    // A request reaching past the root window is a protocol error, which ends the program.
    const QRect root(0, 0, DisplayWidth(x, number), DisplayHeight(x, number));
    const QRect pixels = DevicePixels::toDevice(screen, rect).intersected(root);
    if (pixels.isEmpty()) return std::nullopt;
    std::unique_ptr<XImage, ImageDeleter> image(
        XGetImage(x, RootWindow(x, number), pixels.x(), pixels.y(), unsigned(pixels.width()),
                  unsigned(pixels.height()), AllPlanes, ZPixmap));
    if (!image) throw ScreenCaptureError("the X server refused to hand out the screen");
    GrayImage gray = toGray(*image);
    gray.scale = screen.scale;
    QList<QRect> own;
    for (const QRect& window : m_ownWindows())
        own.append(DevicePixels::toDevice(screen, window).translated(-pixels.topLeft()));
    OwnWindowMask::paintOver(gray, own);
    return gray;
}

std::optional<QRect> X11ScreenGrabber::windowAreaAt(QPoint point, const ScreenArea& screen)
{
    Display* x = display();
    if (!x) return std::nullopt;
    for (const QRect& window : m_ownWindows())
        if (window.contains(point)) return std::nullopt;
    const Window root = DefaultRootWindow(x);
    const QPoint pixel = DevicePixels::toDevice(screen, point);
    Window frame = None;
    int ignoredX = 0, ignoredY = 0;
    // The topmost top-level window at the point: the window manager's frame, when there is one.
    if (!XTranslateCoordinates(x, root, root, pixel.x(), pixel.y(), &ignoredX, &ignoredY, &frame) ||
        frame == None)
        return std::nullopt;
    const Window client = X11Windows::clientWindow(x, frame);
    XWindowAttributes attributes{};
    Window child = None;
    int left = 0, top = 0;
    if (!XGetWindowAttributes(x, client, &attributes) ||
        !XTranslateCoordinates(x, client, root, 0, 0, &left, &top, &child))
        return std::nullopt;
    return DevicePixels::toLogical(screen, QRect(left, top, attributes.width, attributes.height));
}

} // namespace glossivo
