#include "sync/SyncPass.h"

#include "model/JsonFields.h"
#include "model/WordStore.h"
#include "sync/KnownLocalHash.h"
#include "sync/PinnedSession.h"
#include "sync/SyncError.h"
#include "sync/SyncMerge.h"
#include "sync/SyncProtocol.h"

#include <QCoro/QCoroFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <future>
#include <optional>
#include <string>

namespace glossivo {

namespace {

constexpr int allowedRefusals = 3;

// GCC 12 cannot compile QStringLiteral inside a coroutine, so these are built outside.
QString bundlePath()
{
    return QStringLiteral("/v1/bundle");
}

QByteArray getMethod()
{
    return QByteArrayLiteral("GET");
}

QByteArray putMethod()
{
    return QByteArrayLiteral("PUT");
}

QList<int> downloadStatuses()
{
    return {200, 304, 404};
}

QList<int> uploadStatuses()
{
    return {200, 412};
}

// Empty bytes would be uploaded as an empty document and wipe every other device.
SyncBundle::Text encoded(const SyncBundle& bundle, const SyncBundle::WordTexts& known = {})
{
    std::optional<SyncBundle::Text> text = bundle.text(known);
    if (!text) throw SyncError::encoding();
    return std::move(*text);
}

std::shared_future<QString> ready(const QString& hash)
{
    std::promise<QString> known;
    known.set_value(hash);
    return known.get_future().share();
}

QByteArray noneMatchHeader()
{
    return QByteArrayLiteral("If-None-Match");
}

QByteArray matchHeader()
{
    return QByteArrayLiteral("If-Match");
}

// A downloaded document as read, or why it could not be.
struct Parsed {
    std::optional<SyncBundle> bundle;
    SyncBundle::WordTexts texts; // what each word was read from, which the merge compares
    std::string error;
};

Parsed parseOrError(const QByteArray& body)
{
    try {
        Parsed parsed;
        parsed.bundle = SyncBundle::parse(body, parsed.texts);
        return parsed;
    } catch (const JsonError& error) {
        return {std::nullopt, {}, error.what()};
    }
}

// Read on another thread: a document of tens of megabytes would hold up the window for a tenth
// of a second. A document that cannot be read is a JsonError here, as before.
QCoro::Task<Parsed> parsedAside(QByteArray body)
{
    Parsed parsed = co_await QtConcurrent::run(&parseOrError, std::move(body));
    if (!parsed.bundle) throw JsonError(parsed.error);
    co_return parsed;
}

void setJsonBody(QNetworkRequest& request)
{
    request.setRawHeader("Content-Type", "application/json");
}

QNetworkRequest conditional(QNetworkRequest request, const QByteArray& header, qint64 version)
{
    request.setRawHeader(header, SyncProtocol::quoted(version));
    return request;
}

} // namespace

SyncPass::SyncPass(WordStore& store, QString statePath, const Clock& clock, Apply apply,
                   KnownLocalHash* known)
    : m_store(store), m_statePath(std::move(statePath)), m_clock(clock), m_apply(std::move(apply)),
      m_known(known)
{}

void SyncPass::save(SyncState& state, qint64 version, const QString& hash)
{
    // Agreeing on a word book this device does not hold on disk would let the next pass, after a
    // restart, take the server for up to date and upload the older book over it.
    if (!m_store.isSaved()) return;
    state.version = version;
    state.hash = hash;
    state.lastSyncAt = m_clock.now();
    // The server holds the data either way; a state that could not be written only costs the
    // next pass a full download.
    state.write(m_statePath);
}

QCoro::Task<> SyncPass::run(SyncLink link)
{
    const QNetworkRequest bundle = SyncProtocol::request(link, bundlePath());
    PinnedSession session(link);
    SyncState state = SyncState::readFor(m_statePath, link);
    for (int refusals = 0;; ++refusals) {
        const QNetworkRequest download =
            state.version > 0 ? conditional(bundle, noneMatchHeader(), state.version) : bundle;
        const PinnedSession::Response fetched =
            co_await session.send(download, getMethod(), QByteArray(), downloadStatuses());

        Upload upload;
        if (fetched.status == 304) {
            SyncBundle snapshot = m_store.snapshot();
            if (m_known && m_known->of(snapshot) == state.hash) {
                save(state, state.version, state.hash);
                co_return;
            }
            if (m_known) m_known->forget();
            // As another device would read it back, so that equal content hashes equally.
            const auto [text, hash] = encoded(snapshot.normalized()).hashed();
            if (hash == state.hash) {
                if (m_known) m_known->remember(std::move(snapshot), hash);
                save(state, state.version, state.hash);
                co_return;
            }
            upload = {text, state.version, ready(hash)};
        } else {
            if (m_known) m_known->forget();
            // Nothing stored yet (404): merge with the empty document and upload whatever comes
            // out, even an empty word book, so that the server has a version from now on.
            SyncBundle remote;
            SyncBundle::WordTexts remoteTexts;
            qint64 remoteVersion = 0;
            if (fetched.status == 200) {
                Parsed parsed = co_await parsedAside(fetched.body);
                remote = std::move(*parsed.bundle);
                remoteTexts = std::move(parsed.texts);
                remoteVersion = SyncProtocol::version(fetched.etag);
            }
            // No other process may change the word book between the snapshot and the merged
            // result taking its place; nothing below waits until the merged result is applied.
            const WordStore::Turn turn(m_store);
            SyncBundle::WordTexts localTexts;
            const SyncBundle local = m_store.snapshot().normalized(localTexts);
            SyncBundle::WordTexts mergedTexts;
            const SyncBundle merged =
                SyncMerge::mergeWithTexts(local, remote, localTexts, remoteTexts, &mergedTexts);
            const SyncBundle::Text mergedText = encoded(merged, mergedTexts);
            // Documents are the same exactly when their texts are, which is what equal hashes
            // tell; comparing the texts, which share every unchanged word's, spares hashing the
            // local and the remote document as well.
            if (mergedText != local.text(localTexts)) m_apply(merged);
            if (fetched.status == 200 && mergedText == remote.text()) {
                save(state, remoteVersion, mergedText.hash());
                co_return;
            }
            // The merged document's hash is worked out on another thread while it travels.
            upload = {
                mergedText.joined(), remoteVersion,
                std::async(std::launch::async, [mergedText] { return mergedText.hash(); }).share()};
        }

        QNetworkRequest put = conditional(bundle, matchHeader(), upload.version);
        setJsonBody(put);
        const PinnedSession::Response stored =
            co_await session.send(put, putMethod(), upload.text, uploadStatuses());
        if (stored.status == 200) {
            save(state, SyncProtocol::version(stored.etag), upload.hash.get());
            co_return;
        }
        // Another device stored first: the next download must be a full one.
        state.version = -1;
        if (refusals == allowedRefusals) throw SyncError::busy();
    }
}

} // namespace glossivo
