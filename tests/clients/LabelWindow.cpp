#include <QApplication>
#include <QFont>
#include <QLabel>

// A window of another program showing text, for the screen-input tests:
//   glossivo_test_label_window <x> <y> <pixel size> <text>
// It bypasses the window manager so that it lands exactly where asked, and stays until killed.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 5) return 2;
    QLabel label(QString::fromUtf8(argv[4]));
    label.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(QString::fromUtf8(argv[3]).toInt());
    label.setFont(font);
    label.setMargin(24);
    label.setStyleSheet(QStringLiteral("background: white; color: black;"));
    // Named after the process, so that the test can wait until it is on the screen.
    label.setWindowTitle(
        QStringLiteral("glossivo-label-window-%1").arg(QCoreApplication::applicationPid()));
    label.move(QString::fromUtf8(argv[1]).toInt(), QString::fromUtf8(argv[2]).toInt());
    label.show();
    return app.exec();
}
