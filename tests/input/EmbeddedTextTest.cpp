#include "input/EmbeddedText.h"

#include <gtest/gtest.h>

namespace glossivo {
namespace {

const QString marker(QChar(EmbeddedText::objectMarker));
const QString face = QStringLiteral("😀"); // two UTF-16 units, one code point

TEST(EmbeddedTextTest, ObjectsTakeThePlaceOfTheirMarkersAndTheSelectionFollows)
{
    // An object is named by its marker's code point; a selected one gives only its selected
    // part, and those from 5 on cannot be read.
    const auto objectText = [](qint64 index, bool selected) -> std::optional<QString> {
        if (index >= 5) return std::nullopt;
        return (selected ? QStringLiteral("sel") : QStringLiteral("all")) + QString::number(index);
    };
    const struct {
        QString text;
        TextRange selection;
        QString expanded;
        TextRange expandedSelection;
    } cases[] = {
        {marker + marker, {1, 1}, "all0\nsel1", {5, 4}},                // a paragraph of a document
        {marker + marker + marker, {0, 2}, "sel0\nsel1\nall2", {0, 9}}, // across paragraphs
        {"so " + marker + " it", {5, 2}, "so all3 it", {8, 2}},         // a word after a link
        {"so " + marker + " it", {0, 7}, "so sel3 it", {0, 10}},        // across a link
        {face + marker + "x", {3, 1}, face + "all1x", {6, 1}},
        {"seven" + marker + " x", {7, 1}, "seven" + marker + " x", {7, 1}}, // kept unread
    };
    for (const auto& c : cases) {
        const EmbeddedText::Expanded expanded =
            EmbeddedText::expand(c.text, c.selection, objectText);
        EXPECT_EQ(expanded.text, c.expanded) << c.expanded.toStdString();
        EXPECT_EQ(expanded.selection, c.expandedSelection) << c.expanded.toStdString();
    }
}

} // namespace
} // namespace glossivo
