#include "platform/atspi/AtspiSelectedText.h"

#include <gtest/gtest.h>

namespace glossivo {
namespace {

// Firefox pads each character beyond the 16-bit plane with a U+FEFF, in a paragraph and in the
// objects embedded in it: a selection that holds such a character, or follows or precedes one,
// takes just the characters selected.
TEST(AtspiSelectedText, ASelectionOverOrBesideAnEmojiTakesWhatWasSelected)
{
    const QString ship = QString::fromUtf8("🚢") + QChar(0xFEFF);
    const QString sentence = "the ship " + ship + " sails " + ship + "home";
    const QString withLink = QStringLiteral("the ") + QChar(EmbeddedText::objectMarker) + " sails";
    const EmbeddedText::ObjectText link = [&](qint64, bool) {
        return std::optional(ship + " ferry");
    };
    const struct {
        const QString& text;
        qint64 start;
        qint64 end;
        const char* selected;
    } cases[] = {
        {sentence, 9, 17, "🚢 sails"},
        {sentence, 4, 11, "ship 🚢"},
        {sentence, 20, 24, "home"},
        {withLink, 4, 5, "🚢 ferry"},
    };
    for (const auto& c : cases) {
        const EmbeddedText::Expanded expanded = expandedFromBus(c.text, c.start, c.end, link);
        EXPECT_EQ(expanded.text.mid(expanded.selection.location, expanded.selection.length),
                  QString::fromUtf8(c.selected));
        EXPECT_FALSE(expanded.text.contains(QChar(0xFEFF))) << c.selected;
    }
}

} // namespace
} // namespace glossivo
