#include "SyncDevice.h"

#include "model/AtomicFile.h"
#include "support/FakeSyncServer.h"
#include "sync/SyncBundle.h"

#include <QFile>
#include <QFileInfo>
#include <QSslConfiguration>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/file.h>
#include <unistd.h>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

class SyncPass : public ::testing::Test {
protected:
    SyncPass() { device.connect(server.link()); }

    // The server's bundle as this device would read it.
    SyncBundle onServer() const { return SyncBundle::parse(server.bundle()); }
    QByteArray header(int request, const char* name) const
    {
        return server.requests().at(request).header(name);
    }
    // The server holds a word this device has not seen.
    void anotherDeviceSyncs(const QString& headword)
    {
        SyncDevice other;
        other.connect(server.link());
        other.save(headword);
        ASSERT_TRUE(other.sync());
    }
    QStringList methods() const
    {
        QStringList list;
        for (const RecordedRequest& request : server.requests())
            list.append(QString::fromLatin1(request.method));
        return list;
    }

    FakeSyncServer server;
    SyncDevice device;
};

bool opens(int fd, const QString& pattern)
{
    return QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget().contains(pattern);
}

} // namespace

TEST_F(SyncPass, FirstPassAgainstAnEmptyServerUploadsWithVersionZero)
{
    device.save("run");
    ASSERT_TRUE(device.sync()) << device.service.lastErrorDetail().value_or("").toStdString();

    EXPECT_EQ(methods(), QStringList({"GET", "PUT"}));
    EXPECT_EQ(header(0, "if-none-match"), "");
    EXPECT_EQ(header(0, "authorization"), "Bearer " + FakeSyncServer::defaultToken().toUtf8());
    EXPECT_EQ(header(1, "if-match"), "\"0\"");
    EXPECT_EQ(header(1, "content-type"), "application/json");
    EXPECT_EQ(server.bundle(), device.store.snapshot().normalized().json());
    EXPECT_EQ(device.state()["version"].toInt(), 1);
    EXPECT_EQ(device.state()["hash"].toString(), SyncBundle::hashOf(server.bundle()));
    EXPECT_EQ(device.state()["server"].toString(), server.baseURL());
    EXPECT_EQ(device.state()["lastSyncAt"].toString(), "2026-10-07T08:00:00Z");
}

TEST_F(SyncPass, EvenAnEmptyWordBookIsUploadedAfterA404)
{
    ASSERT_TRUE(device.sync());
    EXPECT_EQ(methods(), QStringList({"GET", "PUT"}));
    EXPECT_EQ(server.version(), 1);
}

TEST_F(SyncPass, NoChangeOnEitherSideOnlyRenewsTheTime)
{
    device.save("run");
    ASSERT_TRUE(device.sync());
    const QJsonObject before = device.state();
    server.clearRequests();
    device.clock.advance(60'000);

    ASSERT_TRUE(device.sync());
    EXPECT_EQ(methods(), QStringList({"GET"}));
    EXPECT_EQ(header(0, "if-none-match"), "\"1\"");
    QJsonObject after = device.state();
    EXPECT_EQ(after["lastSyncAt"].toString(), "2026-10-07T08:01:00Z");
    after["lastSyncAt"] = before["lastSyncAt"];
    EXPECT_EQ(after, before);
}

// A full download of the document this device holds: nothing to send back.
TEST_F(SyncPass, AFullDownloadOfTheSameDocumentIsNotUploadedAgain)
{
    device.save("run");
    device.save("apple");
    ASSERT_TRUE(device.sync());
    ASSERT_TRUE(QFile::remove(device.folder.paths().syncState())); // the next download is full
    server.clearRequests();

    ASSERT_TRUE(device.sync());
    EXPECT_EQ(methods(), QStringList({"GET"}));
    EXPECT_EQ(header(0, "if-none-match"), "");
    EXPECT_EQ(device.state()["hash"].toString(), SyncBundle::hashOf(server.bundle()));
}

TEST_F(SyncPass, ALocalChangeIsUploadedOverTheSavedVersion)
{
    ASSERT_TRUE(device.sync());
    device.save("apple");
    server.clearRequests();

    ASSERT_TRUE(device.sync());
    EXPECT_EQ(methods(), QStringList({"GET", "PUT"}));
    EXPECT_EQ(header(1, "if-match"), "\"1\"");
    EXPECT_EQ(onServer().words.size(), 1);
    EXPECT_EQ(device.state()["version"].toInt(), 2);
}

TEST_F(SyncPass, ARemoteChangeIsAppliedWithoutUpload)
{
    SyncDevice other;
    other.connect(server.link());
    other.save("apple");
    ASSERT_TRUE(other.sync());
    server.useWeakETags(true);
    server.clearRequests();

    ASSERT_TRUE(device.sync());
    EXPECT_EQ(methods(), QStringList({"GET"}));
    EXPECT_EQ(device.headwords(), QStringList({"apple"}));
    EXPECT_EQ(device.folder.read("words.json").contains("apple"), true);
    EXPECT_EQ(device.state()["version"].toInt(), 1);
    EXPECT_EQ(device.state()["hash"].toString(), SyncBundle::hashOf(server.bundle()));
}

TEST_F(SyncPass, RefusedUploadsStartOverAndTheFourthRefusalEndsThePass)
{
    for (int refusals : {3, 4}) {
        SyncDevice fresh;
        fresh.connect(server.link(QStringLiteral("account-%1-0123456789").arg(refusals)));
        fresh.save("run");
        server.refuseUploads(refusals);
        server.clearRequests();

        const bool ok = fresh.sync();
        EXPECT_EQ(server.requestCount("PUT", "/v1/bundle"), 4) << refusals;
        // After a refusal the download is a full one.
        for (const RecordedRequest& request : server.requests())
            EXPECT_EQ(request.header("if-none-match"), "");
        if (refusals == 3) {
            EXPECT_TRUE(ok);
            EXPECT_FALSE(fresh.service.lastError());
            EXPECT_EQ(fresh.state()["version"].toInt(), 4);
        } else {
            EXPECT_FALSE(ok);
            EXPECT_EQ(fresh.service.lastError(), "服务器上的单词本一直在变，过一会儿再试");
            EXPECT_FALSE(fresh.folder.exists("sync-state.json"));
        }
    }
}

TEST_F(SyncPass, StateOfAnotherServerOrAnotherCodeIsNotTrusted)
{
    device.save("run");
    ASSERT_TRUE(device.sync());
    const QByteArray saved = device.folder.read("sync-state.json");

    const struct {
        const char* name;
        SyncLink link;
    } cases[] = {
        {"another server", {server.baseURL() + "/", server.link().token, server.link().pin}},
        {"another account on the same server",
         server.link(QStringLiteral("another-token-0123456789"))},
    };
    for (const auto& c : cases) {
        device.folder.write("sync-state.json", saved);
        device.connect(c.link);
        server.clearRequests();
        device.sync();
        ASSERT_FALSE(server.requests().isEmpty()) << c.name;
        EXPECT_EQ(header(0, "if-none-match"), "") << c.name;
    }
}

TEST_F(SyncPass, ServerFailuresBecomeTheirSentencesAndSaveNothing)
{
    const struct {
        int status;
        const char* text;
    } cases[] = {
        {500, "服务器出错了（500）"}, {401, "同步码里的密码不对"}, {403, "服务器出错了（403）"}};
    for (const auto& c : cases) {
        server.answerAll(c.status);
        EXPECT_FALSE(device.sync());
        EXPECT_EQ(device.service.lastError(), QString::fromUtf8(c.text));
        EXPECT_FALSE(device.folder.exists("sync-state.json"));
    }
}

TEST_F(SyncPass, AnUnreadableServerDocumentAppliesAndSavesNothing)
{
    device.save("run");
    server.store(R"({"words":[{"headword":1}]})");
    const QByteArray words = device.folder.read("words.json");

    EXPECT_FALSE(device.sync());
    EXPECT_TRUE(device.service.lastError()->startsWith("同步出错了："));
    EXPECT_EQ(device.folder.read("words.json"), words);
    EXPECT_FALSE(device.folder.exists("sync-state.json"));
    EXPECT_EQ(server.requestCount("PUT", "/v1/bundle"), 0);
}

// A server that never stops sending must not fill the memory, whether or not it says how much
// is coming, and however well it compresses.
TEST_F(SyncPass, AReplyPastTheSizeLimitEndsThePassAndChangesNothing)
{
    device.save("run");
    server.store(R"({"words":[]})");
    const QByteArray words = device.folder.read("words.json");
    for (const auto kind :
         {FakeSyncServer::EndlessBody::announced, FakeSyncServer::EndlessBody::unannounced,
          FakeSyncServer::EndlessBody::compressed}) {
        server.sendEndlessBodies(kind);
        EXPECT_FALSE(device.sync());
        EXPECT_EQ(device.service.lastError(),
                  "服务器发来的内容太大（超过 256 MB），不像是单词本，这次没有同步");
        EXPECT_EQ(device.folder.read("words.json"), words);
        EXPECT_FALSE(device.folder.exists("sync-state.json"));
        EXPECT_EQ(server.requestCount("PUT", "/v1/bundle"), 0);
    }
}

TEST_F(SyncPass, AServerThatCannotBeReachedIsAConnectionFailure)
{
    SyncLink gone = server.link();
    {
        FakeSyncServer closed;
        gone.server = closed.baseURL();
    }
    device.connect(gone);
    EXPECT_FALSE(device.sync());
    EXPECT_EQ(device.service.lastError(), "连不上同步服务器（没网，或者服务器停了）");
}

TEST_F(SyncPass, AStoredAddressThatIsNotHttpsIsRefusedBeforeAnyRequest)
{
    for (const QString& address : {server.baseURL().replace("https:", "http:"),
                                   QStringLiteral("https://"), QStringLiteral("not an address")}) {
        SyncLink link = server.link();
        link.server = address;
        device.connect(link);
        EXPECT_FALSE(device.sync());
        EXPECT_EQ(device.service.lastError(),
                  "同步码里的服务器地址不对，只能用 https:// 开头的地址");
    }
    EXPECT_EQ(server.handshakes(), 0);
    EXPECT_EQ(server.bytesReceived(), 0);
}

TEST_F(SyncPass, ATokenThatCannotTravelInAHeaderIsNeverSent)
{
    device.connect(server.link(QStringLiteral("token-0123456789\r\nX-Evil: 1")));
    EXPECT_FALSE(device.sync());
    EXPECT_EQ(device.service.lastError(), "同步码里的密码不对");
    EXPECT_EQ(server.bytesReceived(), 0);
}

// The pin decides alone: a server with another certificate gets a TLS handshake and not one byte
// of a request, whether or not some authority vouches for its certificate.
TEST_F(SyncPass, AnotherCertificateGetsAHandshakeAndNoRequestByte)
{
    for (bool vouched : {false, true}) {
        FakeSyncServer impostor(FakeSyncServer::Certificate::other);
        const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
        if (vouched) {
            QSslConfiguration trusting = original;
            trusting.addCaCertificate(
                FakeSyncServer::certificateOf(FakeSyncServer::Certificate::other));
            QSslConfiguration::setDefaultConfiguration(trusting);
        }
        SyncLink link = impostor.link();
        device.connect(link);
        const bool ok = device.sync();
        QSslConfiguration::setDefaultConfiguration(original);

        EXPECT_FALSE(ok) << vouched;
        EXPECT_EQ(device.service.lastError(), "服务器的证书对不上，可能连到了别的地方") << vouched;
        EXPECT_GE(impostor.handshakes(), 1) << vouched;
        EXPECT_EQ(impostor.bytesReceived(), 0) << vouched;
        EXPECT_TRUE(impostor.requests().isEmpty()) << vouched;
    }
}

TEST_F(SyncPass, ThePinnedCertificateIsAcceptedEvenExpiredAndWhateverTheCaseOfThePin)
{
    FakeSyncServer expired(FakeSyncServer::Certificate::expired);
    SyncLink link =
        expired.link(FakeSyncServer::defaultToken(), FakeSyncServer::Certificate::expired);
    link.pin = link.pin.toUpper();
    device.connect(link);
    EXPECT_TRUE(device.sync()) << device.service.lastErrorDetail().value_or("").toStdString();
    EXPECT_EQ(expired.version(), 1);
}

TEST_F(SyncPass, WithoutAnETagTheVersionIsZeroAndTheNextDownloadIsFull)
{
    server.dropETags(true);
    ASSERT_TRUE(device.sync());
    EXPECT_EQ(device.state()["version"].toInt(), 0);
    server.clearRequests();
    ASSERT_TRUE(device.sync());
    EXPECT_EQ(header(0, "if-none-match"), "");
}

// A merge this device could not save is no agreement: after a restart its disk holds the older
// word book, which a pass that took the server for up to date would upload over the server's.
TEST_F(SyncPass, AMergedWordBookThatCouldNotBeSavedIsNoAgreementWithTheServer)
{
    anotherDeviceSyncs("compass");
    device.save("ferry");
    AtomicFile::setSyncCall(
        [](int fd) { return opens(fd, "words.json.tmp-") ? (errno = ENOSPC, -1) : ::fsync(fd); });
    device.sync();
    AtomicFile::setSyncCall(nullptr);
    EXPECT_FALSE(device.store.isSaved());
    EXPECT_FALSE(device.folder.exists("sync-state.json"));
}

// The same for a learning log that could not be replaced: the book is not saved without it.
TEST_F(SyncPass, AMergedLogThatCouldNotBeSavedIsNoAgreementWithTheServer)
{
    anotherDeviceSyncs("compass");
    device.save("ferry");
    AtomicFile::setSyncCall([](int fd) {
        return opens(fd, "learning-log.jsonl.tmp-") ? (errno = ENOSPC, -1) : ::fsync(fd);
    });
    device.sync();
    AtomicFile::setSyncCall(nullptr);
    EXPECT_EQ(device.store.failedDocuments(), QStringList{"learning-log.jsonl"});
    EXPECT_FALSE(device.folder.exists("sync-state.json"));
}

// Between the snapshot and the merged word book taking its place, no other process has a turn:
// a word that one saves as soon as the pass lets the word book go is kept.
TEST_F(SyncPass, AnotherProcessHasItsTurnOnlyOnceTheMergedWordBookTookItsPlace)
{
    anotherDeviceSyncs("compass");
    device.save("ferry");
    WordStore commandLine(device.folder.paths(), device.clock);
    static std::function<void()> onRelease;
    onRelease = [&commandLine] {
        onRelease = nullptr;
        Explanation harbor;
        harbor.headword = QStringLiteral("harbor");
        commandLine.save(harbor, {});
    };
    AtomicFile::setLockCall([](int fd, int operation) {
        const int result = ::flock(fd, operation);
        if (operation == LOCK_UN && onRelease && opens(fd, "word-book.lock")) onRelease();
        return result;
    });
    ASSERT_TRUE(device.sync());
    AtomicFile::setLockCall(nullptr);
    ASSERT_TRUE(commandLine.isSaved());
    device.store.refresh();
    EXPECT_EQ(device.headwords(), (QStringList{"compass", "ferry", "harbor"}));
}
