#pragma once

#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QStringList>

#include <memory>

// Running X clients and xdotool on the test desktop that scripts/test starts.
namespace glossivo::testing {

// Whether a desktop is there to test on; the tests skip themselves otherwise.
bool desktopAvailable();

// Runs xdotool with these arguments and waits for it.
void xdotool(const QStringList& arguments);
// A click series of its own, even right after another double click elsewhere.
void doubleClick(QPoint at);
void drag(QPoint from, QPoint to);
// Runs a program and gives its standard output.
QByteArray output(const QString& program, const QStringList& arguments);

// A helper client of the tests. It prints named points ("name x y") and "ready" once its
// window is on screen; it is killed when this object goes.
class HelperWindow {
public:
    HelperWindow(const QString& program, const QStringList& arguments);
    ~HelperWindow();

    bool isReady() const { return m_ready; }
    QPoint point(const QString& name) const { return m_points.value(name); }
    qint64 pid() const { return m_process->processId(); }

private:
    std::unique_ptr<QProcess> m_process;
    QMap<QString, QPoint> m_points;
    bool m_ready = false;
};

} // namespace glossivo::testing
