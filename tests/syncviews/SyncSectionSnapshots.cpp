#include "SyncSectionFixture.h"
#include "support/Snapshots.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <set>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class SyncSectionSnapshots : public SyncSectionFixture {
protected:
    void snapshot(const QString& name, bool dark)
    {
        // As tall as its wrapped texts need at the settings window's width. Shown (offscreen),
        // so that the nested layouts take in the rows that the state showed or hid.
        section->show();
        QCoreApplication::processEvents();
        section->resize(520, section->heightForWidth(520));
        QCoreApplication::processEvents();
        const QImage image = section->grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(image.size().height(), 60);
        // Not blank: text and controls bring more than a couple of colours.
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 8u) << name.toStdString();
        const QString folder = test::snapshotFolder(QStringLiteral("sync"));
        const QString scale = section->devicePixelRatioF() > 1 ? QStringLiteral("@2x") : QString();
        const QString file = folder + u'/' + name + (dark ? "-dark" : "") + scale + ".png";
        EXPECT_TRUE(image.save(file)) << file.toStdString();
    }

    void everyState(bool dark)
    {
        open(dark);
        snapshot("not-connected", dark);

        child<QLineEdit>("codeField")->setText("  ");
        section->state().setInput("  ");
        child<QPushButton>("connectButton")->click();
        snapshot("not-a-code", dark);

        server.delayAnswers(300);
        server.answerAll(401);
        section->state().setInput("我的同步码 " + server.link().text());
        section->state().connect();
        snapshot("connecting", dark);
        ASSERT_TRUE(settled());
        snapshot("check-failed", dark);
        server.answerAll(0);
        server.delayAnswers(0);

        device.connect(server.link());
        snapshot("connected-never-synced", dark);

        server.delayAnswers(300);
        auto pass = device.service.syncNow();
        snapshot("connected-syncing", dark);
        awaitTask(std::move(pass));
        server.delayAnswers(0);
        device.clock.advance(5 * 60'000 + 30'000);
        section->state().toggleQR(); // a redraw, as any change of state causes
        section->state().toggleQR();
        snapshot("connected-5-minutes", dark);

        server.answerAll(500);
        device.sync();
        snapshot("connected-error", dark);
        server.answerAll(0);

        child<QToolButton>("handOnFold")->click();
        child<QPushButton>("copyButton")->click();
        child<QPushButton>("qrButton")->click();
        snapshot("connected-qr", dark);

        child<QPushButton>("disconnectButton")->click();
        snapshot("disconnected", dark);
    }
};

} // namespace

TEST_F(SyncSectionSnapshots, EveryStateInLight)
{
    everyState(false);
}

TEST_F(SyncSectionSnapshots, EveryStateInDark)
{
    everyState(true);
}
