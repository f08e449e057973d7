#include "SyncSamples.h"

#include "support/WordBookGenerator.h"
#include "sync/CanonicalJson.h"
#include "sync/SyncMerge.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <functional>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// The canonical text as the whole document encodes it, and what reads back from it: what every
// device wrote before words kept their text between passes.
QByteArray wholeText(const SyncBundle& bundle)
{
    return CanonicalJson::write(bundle.toJson()).value_or(QByteArray());
}

SyncBundle wholeReadBack(const SyncBundle& bundle)
{
    const QByteArray text = wholeText(bundle);
    return text.isEmpty() ? bundle : SyncBundle::parse(text);
}

QString sha256(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

void expectSameAsWholeDocument(const SyncBundle& bundle)
{
    const QByteArray text = wholeText(bundle);
    EXPECT_EQ(bundle.json(), text);
    EXPECT_EQ(bundle.hash(), sha256(text));
    EXPECT_EQ(SyncBundle::hashOf(text), sha256(text));
    const SyncBundle::HashedText hashed = bundle.hashedJson();
    EXPECT_EQ(hashed.json, text);
    EXPECT_EQ(hashed.hash, sha256(text));
    EXPECT_EQ(bundle.normalized(), wholeReadBack(bundle));
    // The words' texts that reading the document and normalizing hand to the merge are each
    // word's part of the document.
    SyncBundle::WordTexts read, kept;
    const SyncBundle normalized = bundle.normalized(kept);
    EXPECT_EQ(SyncBundle::parse(text, read), normalized);
    EXPECT_EQ(read.texts.size(), bundle.words.size());
    EXPECT_EQ(kept.texts, read.texts);
    EXPECT_TRUE(text.endsWith("[" + read.texts.join(',') + "]}"));
    EXPECT_EQ(normalized.text(kept)->joined(), text);
}

// A merge told the words' texts, as a pass does it, merges and writes what one without does.
void expectSameMergeWithTexts(const SyncBundle& local, const SyncBundle& other)
{
    SyncBundle::WordTexts localTexts, otherTexts, mergedTexts;
    const SyncBundle normalized = local.normalized(localTexts);
    const SyncBundle read = SyncBundle::parse(other.json(), otherTexts);
    const SyncBundle merged =
        SyncMerge::mergeWithTexts(normalized, read, localTexts, otherTexts, &mergedTexts);
    EXPECT_EQ(merged, SyncMerge::merge(normalized, read));
    EXPECT_EQ(merged.text(mergedTexts)->joined(), merged.json());
}

SyncBundle generatedBundle(int count, quint32 seed)
{
    SyncBundle bundle =
        bundleOf(bench::generateWords(count, seed), {{QStringLiteral("C1"), oct(6)}});
    if (!bundle.words.isEmpty()) {
        // A fraction of a second, which the canonical text drops.
        bundle.words.first().createdAt = bundle.words.first().createdAt.addMSecs(250);
        bundle.words.last().examples.first().addedAt = oct(2).addMSecs(900);
    }
    bundle.log = {QStringLiteral(R"({"kind":"save","time":"2026-10-01T12:00:00Z"})")};
    bundle.stats = ReviewStats{QStringLiteral("2026-10-07"), 5, 2};
    return bundle;
}

} // namespace

TEST(SyncBundleText, KeptWordTextsGiveTheWholeDocumentsBytesHashAndReadBack)
{
    const struct {
        const char* edit;
        std::function<void(SyncBundle&)> apply;
    } edits[] = {
        {"none", [](SyncBundle&) {}},
        {"a lookup", [](SyncBundle& b) { b.words[3].lookupCount += 1; }},
        {"a new example",
         [](SyncBundle& b) { b.words[5].examples.append(sampleExample("E9", "New.", 3)); }},
        {"a review",
         [](SyncBundle& b) { b.words[7].review = ReviewState{1.5, 4, oct(9), oct(8), 1, 0, 1}; }},
        {"a text with escapes", [](SyncBundle& b) { b.words[2].meaningZh = "a/b \"c\"\n\u00e9"; }},
        {"brackets and quotes in texts",
         [](SyncBundle& b) {
             b.words[2].definitionEn = "x\\\"},{\"words\":[{\\";
             b.log.append(R"({"time":"t","words":["},{"]})");
         }},
        {"a removed word", [](SyncBundle& b) { b.words.removeAt(4); }},
        {"a moved word", [](SyncBundle& b) { b.words.move(0, 9); }},
        {"a copy with another id",
         [](SyncBundle& b) {
             WordEntry copy = b.words[1];
             copy.id = sampleId("FF");
             b.words.append(copy);
         }},
        {"no words", [](SyncBundle& b) { b.words.clear(); }},
    };
    for (const quint32 seed : {1u, 2u}) {
        const SyncBundle original = generatedBundle(12, seed);
        for (const auto& edit : edits) {
            SCOPED_TRACE(edit.edit);
            // Before and after the edit, and back: a kept text must never outlive its word.
            expectSameAsWholeDocument(original);
            SyncBundle edited = original;
            edit.apply(edited);
            expectSameAsWholeDocument(edited);
            expectSameAsWholeDocument(edited.normalized());
            expectSameAsWholeDocument(original);
            expectSameMergeWithTexts(original, edited);
            expectSameMergeWithTexts(edited, original);
        }
    }
}

TEST(SyncBundleText, ManyVersionsOfOneWordEachKeepTheirOwnText)
{
    QList<SyncBundle> versions;
    for (int count = 0; count < 6; ++count) {
        SyncBundle version = generatedBundle(3, 4);
        version.words[1].lookupCount = count;
        versions.append(version);
    }
    for (int round = 0; round < 2; ++round)
        for (const SyncBundle& version : versions) {
            SCOPED_TRACE(version.words[1].lookupCount);
            expectSameAsWholeDocument(version);
        }
}
