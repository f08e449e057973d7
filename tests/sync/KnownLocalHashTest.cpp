#include "sync/KnownLocalHash.h"

#include <gtest/gtest.h>

using namespace glossivo;

// The remembered word book lets go of the learning log it was read with, and still tells a log
// that grew, had a line rewritten (in any script), or had the same characters split elsewhere.
TEST(KnownLocalHash, KeepsNoLogLinesButTellsAChangedLog)
{
    SyncBundle book;
    book.words.append(WordEntry{});
    book.log = {R"({"type":"lookup"})", R"({"word":"学习"})"};
    KnownLocalHash known;
    known.remember(book, "h1");
    EXPECT_TRUE(book.log.isDetached()); // nothing but `book` holds its lines
    EXPECT_EQ(known.of(book), "h1");

    SyncBundle rewritten = book;
    rewritten.log[1] = R"({"type":"saved"})";
    SyncBundle rewrittenInChinese = book;
    rewrittenInChinese.log[1] = R"({"word":"复习"})";
    SyncBundle splitElsewhere = book;
    splitElsewhere.log = {R"({"type":"lookup")", R"(}{"word":"学习"})"};
    SyncBundle grown = book;
    grown.log.append(R"({"type":"saved"})");
    SyncBundle otherWords = book;
    otherWords.words.append(WordEntry{});
    for (const SyncBundle* changed :
         {&rewritten, &rewrittenInChinese, &splitElsewhere, &grown, &otherWords})
        EXPECT_FALSE(known.of(*changed));
}
