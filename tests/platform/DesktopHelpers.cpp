#include "DesktopHelpers.h"

#include <QDeadlineTimer>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <optional>

namespace glossivo::testing {

namespace {

// xterm counts a press within its multi-click time (250 ms) of the last release as the next
// click of that series, wherever it lands: a double click soon after another would select the
// line, then the text from the first word on. Other programs check the distance as well.
constexpr quint32 kClickSeriesMs = 400;

// The server's clock, which stamps the input events that programs count clicks by.
std::optional<quint32> serverTime()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    const Atom property = XInternAtom(display, "GLOSSIVO_TEST_TIME", False);
    XChangeProperty(display, window, property, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display, window, PropertyChangeMask, &event);
    const auto time = quint32(event.xproperty.time);
    XCloseDisplay(display);
    return time;
}

// When the last double click had ended, by the server's clock.
std::optional<quint32> lastDoubleClick;

} // namespace

bool desktopAvailable()
{
    return std::getenv("GLOSSIVO_DESKTOP_TESTS") && std::getenv("DISPLAY");
}

QByteArray output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    // The event loop goes on meanwhile: the program may be asking this process for the
    // clipboard.
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000))
        process.kill();
    return process.readAllStandardOutput();
}

void xdotool(const QStringList& arguments)
{
    output(QStringLiteral("xdotool"), arguments);
}

void doubleClick(QPoint at)
{
    // Only a server whose clock stands still outlasts the wait; the click goes out then too.
    if (lastDoubleClick)
        (void)QTest::qWaitFor(
            [] {
                const std::optional<quint32> now = serverTime();
                return !now || *now - *lastDoubleClick > kClickSeriesMs;
            },
            5000);
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
             QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
             QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("1")});
    // xdotool waits for the server as it closes its display: its clicks are stamped by now.
    lastDoubleClick = serverTime();
}

void drag(QPoint from, QPoint to)
{
    xdotool({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()),
             QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("sleep"),
             QStringLiteral("0.05"), QStringLiteral("mousemove"),
             QString::number((from.x() + to.x()) / 2), QString::number(to.y()),
             QStringLiteral("sleep"), QStringLiteral("0.05"), QStringLiteral("mousemove"),
             QString::number(to.x()), QString::number(to.y()), QStringLiteral("sleep"),
             QStringLiteral("0.05"), QStringLiteral("mouseup"), QStringLiteral("1")});
}

HelperWindow::HelperWindow(const QString& program, const QStringList& arguments)
    : m_process(std::make_unique<QProcess>())
{
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(program, arguments);
    // A browser on a busy machine takes long to start.
    const QDeadlineTimer deadline(60000);
    QByteArray pending;
    while (!m_ready && !deadline.hasExpired() && m_process->state() != QProcess::NotRunning) {
        if (!m_process->canReadLine() && !m_process->waitForReadyRead(100)) continue;
        while (m_process->canReadLine()) {
            const QList<QByteArray> fields = m_process->readLine().trimmed().split(' ');
            if (fields.value(0) == "ready") m_ready = true;
            if (fields.size() == 3)
                m_points.insert(QString::fromLatin1(fields[0]),
                                QPoint(fields[1].toInt(), fields[2].toInt()));
        }
    }
    // Let the window manager finish placing and focusing the window.
    QTest::qWait(200);
}

HelperWindow::~HelperWindow()
{
    m_process->kill();
    m_process->waitForFinished(3000);
}

} // namespace glossivo::testing
