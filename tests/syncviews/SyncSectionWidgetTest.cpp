#include "SyncSectionFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

using SyncSectionWidget = SyncSectionFixture;

// What a camera reads from the picture, through zbar; none when no decoder is installed.
std::optional<QString> decodeQR(const QImage& image)
{
    const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (zbar.isEmpty()) return std::nullopt;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("qr.png"));
    // A white border around the drawn code, as the window around it gives.
    QImage framed(image.width() + 40, image.height() + 40, QImage::Format_RGB32);
    framed.fill(Qt::white);
    QPainter(&framed).drawImage(20, 20, image);
    framed.save(file);
    QProcess process;
    process.start(zbar, {QStringLiteral("--raw"), QStringLiteral("-q"), file});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

TEST_F(SyncSectionWidget, TypingAndConnectingTurnsTheSectionToItsConnectedFace)
{
    open();
    auto* field = child<QLineEdit>("codeField");
    auto* connect = child<QPushButton>("connectButton");
    EXPECT_TRUE(child<QWidget>("connectFace")->isVisibleTo(section.get()));
    EXPECT_FALSE(child<QWidget>("connectedFace")->isVisibleTo(section.get()));
    EXPECT_FALSE(connect->isEnabled());

    QTest::keyClicks(field, "hello");
    EXPECT_TRUE(connect->isEnabled());
    connect->click();
    EXPECT_EQ(child<QLabel>("messageLabel")->text(),
              "这不是同步码。同步码以 glossivo://sync? 开头");

    field->clear();
    QTest::keyClicks(field, server.link().text());
    connect->click();
    EXPECT_EQ(connect->text(), "连接中…");
    EXPECT_FALSE(connect->isEnabled());
    ASSERT_TRUE(settled());
    EXPECT_TRUE(child<QWidget>("connectedFace")->isVisibleTo(section.get()));
    EXPECT_EQ(child<QLabel>("serverLabel")->text(), "已连接 127.0.0.1");
    EXPECT_EQ(child<QLabel>("statusLabel")->text(), "上次同步：刚刚");
    EXPECT_EQ(field->text(), "");

    child<QPushButton>("disconnectButton")->click();
    EXPECT_TRUE(child<QWidget>("connectFace")->isVisibleTo(section.get()));
    EXPECT_EQ(device.config.config().syncServer, "");
}

TEST_F(SyncSectionWidget, TheHandOnPartCopiesTheCodeAndShowsAQrCodeAPhoneCanRead)
{
    device.connect(server.link());
    open();
    auto* panel = child<QWidget>("handOnPanel");
    EXPECT_FALSE(panel->isVisibleTo(section.get())); // closed when first shown
    child<QToolButton>("handOnFold")->click();
    EXPECT_TRUE(panel->isVisibleTo(section.get()));

    QGuiApplication::clipboard()->setText("something else");
    child<QPushButton>("copyButton")->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), server.link().text());
    EXPECT_EQ(child<QPushButton>("copyButton")->text(), "已复制");

    auto* qr = child<QLabel>("qrImage");
    EXPECT_FALSE(qr->isVisibleTo(section.get()));
    child<QPushButton>("qrButton")->click();
    ASSERT_TRUE(qr->isVisibleTo(section.get()));
    EXPECT_EQ(qr->size(), QSize(220, 220));
    EXPECT_EQ(child<QPushButton>("qrButton")->text(), "隐藏二维码");
    const auto read = decodeQR(qr->grab().toImage());
    if (!read) GTEST_SKIP() << "zbarimg is not installed";
    EXPECT_EQ(*read, server.link().text());

    child<QPushButton>("qrButton")->click();
    EXPECT_FALSE(qr->isVisibleTo(section.get()));
}

TEST_F(SyncSectionWidget, ExplanationsAreQuietAndAFailedPassIsOrangeInBothPalettes)
{
    device.connect(server.link());
    server.answerAll(500);
    device.sync();
    for (bool dark : {false, true}) {
        open(dark);
        const QColor quiet = section->palette().color(QPalette::PlaceholderText);
        for (const char* name : {"connectExplanation", "autoSyncNote", "handOnExplanation"})
            EXPECT_EQ(child<QLabel>(name)->palette().color(QPalette::WindowText), quiet) << name;
        const QColor status = child<QLabel>("statusLabel")->palette().color(QPalette::WindowText);
        EXPECT_GT(status.red(), status.blue() + 100) << dark; // orange, not the quiet grey
    }
}
