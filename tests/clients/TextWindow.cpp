// A window with known text for the screen-input tests: a line edit and a text edit, published
// over the accessibility bus like any Qt application. Once it is on screen it prints where its
// text is (global coordinates) and "ready". With --clipboard it first puts a text and an image
// on the clipboard and keeps serving them; with --password the line edit hides its text as a
// password field does.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCommandLineParser>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

void print(const char* name, QPoint point)
{
    std::printf("%s %d %d\n", name, point.x(), point.y());
}

QByteArray pngImage()
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 90));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("glossivo-text-window"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("title"), QStringLiteral("Window title"),
                      QStringLiteral("title"), QStringLiteral("Glossivo test text")});
    parser.addOption(
        {QStringLiteral("clipboard"), QStringLiteral("Put a text and an image on the clipboard")});
    parser.addOption({QStringLiteral("password"), QStringLiteral("The line edit is a password")});
    parser.process(app);

    if (parser.isSet(QStringLiteral("clipboard"))) {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("saved text"));
        data->setData(QStringLiteral("image/png"), pngImage());
        QApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    }

    QWidget window;
    window.setWindowTitle(parser.value(QStringLiteral("title")));
    auto* layout = new QVBoxLayout(&window);
    auto* line = new QLineEdit(QStringLiteral("Serendipity is a happy accident."));
    if (parser.isSet(QStringLiteral("password"))) line->setEchoMode(QLineEdit::Password);
    auto* text = new QTextEdit;
    text->setPlainText(QStringLiteral("Glossaries help readers.\nA second line follows here."));
    layout->addWidget(line);
    layout->addWidget(text);
    window.resize(600, 260);
    window.move(120, 140);
    window.show();
    line->setFocus();

    QTimer::singleShot(700, [&] {
        window.activateWindow();
        print("lineedit", line->mapToGlobal(QPoint(0, line->height() / 2)));
        QTextCursor cursor(text->document());
        print("textstart", text->viewport()->mapToGlobal(text->cursorRect(cursor).center()));
        cursor.movePosition(QTextCursor::EndOfLine);
        print("textend", text->viewport()->mapToGlobal(text->cursorRect(cursor).center()));
        std::printf("pid %lld\nready\n", static_cast<long long>(QApplication::applicationPid()));
        std::fflush(stdout);
    });
    return app.exec();
}
