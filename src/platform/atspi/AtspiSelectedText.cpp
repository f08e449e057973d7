// The AT-SPI headers come first: GLib names struct members "signals", which Qt defines as a
// macro.
#include <atspi/atspi.h>

#include "platform/atspi/AtspiSelectedText.h"

#include "input/EmbeddedText.h"
#include "platform/atspi/AtspiCalls.h"

#include <algorithm>
#include <vector>

namespace glossivo {

namespace {

// More than the 300 UTF-16 units of the context window on each side, whatever the text holds.
constexpr int sliceMargin = 400;
// Pages nest their paragraphs in sections, but never this deep.
constexpr int maxLevels = 40;
constexpr int maxEmbeddedDepth = 4;

// The UTF-16 position of the `codePoints`-th code point of a text.
qint64 utf16Offset(const QString& text, qint64 codePoints)
{
    qint64 units = 0;
    for (qint64 seen = 0; seen < codePoints && units < text.size(); ++seen)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return units;
}

// Firefox follows each character beyond the 16-bit plane with a U+FEFF, so that its character
// offsets stay its UTF-16 ones: the padding is no part of the text.
EmbeddedText::Expanded withoutPadding(EmbeddedText::Expanded expanded)
{
    TextRange& selection = expanded.selection;
    for (qsizetype i = expanded.text.size() - 1; i > 0; --i) {
        if (expanded.text.at(i) != QChar(0xFEFF) || !expanded.text.at(i - 1).isLowSurrogate())
            continue;
        expanded.text.remove(i, 1);
        if (i < selection.location)
            --selection.location;
        else if (i < selection.location + selection.length)
            --selection.length;
    }
    return expanded;
}

} // namespace

EmbeddedText::Expanded expandedFromBus(const QString& text, qint64 start, qint64 end,
                                       const EmbeddedText::ObjectText& objectText)
{
    const qint64 location = utf16Offset(text, start);
    const TextRange selection{location, utf16Offset(text, end) - location};
    return withoutPadding(EmbeddedText::expand(text, selection, objectText));
}

// An object on the way down with its selection, in code points.
struct AtspiSelectedText::Level {
    Ref<AtspiAccessible> object;
    Ref<AtspiText> text;
    int start = 0;
    int end = 0;
    int count = 0;
};

std::optional<AccessibleSelection> AtspiSelectedText::read(AtspiAccessible* focused)
{
    std::vector<Level> levels;
    if (auto level = levelOf(focused)) levels.push_back(std::move(*level));
    while (!levels.empty() && int(levels.size()) < maxLevels &&
           levels.back().end - levels.back().start == 1) {
        Ref<AtspiAccessible> child(embeddedAt(levels.back().object.get(), levels.back().start));
        if (!child) break;
        std::optional<Level> below = levelOf(child.get());
        // The object selected shows no selection of its own: the application has not yet told
        // of it, or it holds no text.
        if (!below)
            return m_budget.spent() ? std::nullopt
                                    : std::optional(AccessibleSelection{
                                          QString(QChar(EmbeddedText::objectMarker))});
        levels.push_back(std::move(*below));
    }
    // A link selected whole tells nothing of its sentence: the context comes from the innermost
    // object that holds more than the selection.
    while (levels.size() > 1 && levels.back().start == 0 &&
           levels.back().end == levels.back().count)
        levels.pop_back();
    if (m_budget.spent()) return std::nullopt;
    // A text object without a selection answers all the same: one may be on its way.
    if (levels.empty())
        return Ref<AtspiText>(atspi_accessible_get_text_iface(focused))
                   ? std::optional(AccessibleSelection{})
                   : std::nullopt;

    const Level& level = levels.back();
    const int sliceStart = std::max(0, level.start - sliceMargin);
    const int sliceEnd = std::min(level.count, level.end + sliceMargin);
    GError* error = nullptr;
    gchar* slice = atspi_text_get_text(level.text.get(), sliceStart, sliceEnd, &error);
    if (!m_budget.ok(error) || !slice) return std::nullopt;
    const QString value = QString::fromUtf8(slice);
    g_free(slice);
    const EmbeddedText::Expanded expanded = expandedFromBus(
        value, level.start - sliceStart, level.end - sliceStart, [&](qint64 index, bool selected) {
            Ref<AtspiAccessible> object(embeddedAt(level.object.get(), sliceStart + int(index)));
            return textOf(object.get(), selected, 1);
        });
    return AccessibleSelection{
        expanded.text.mid(expanded.selection.location, expanded.selection.length), expanded.text,
        expanded.selection};
}

std::optional<AtspiSelectedText::Level> AtspiSelectedText::levelOf(AtspiAccessible* object)
{
    Level level{Ref<AtspiAccessible>(static_cast<AtspiAccessible*>(g_object_ref(object))),
                Ref<AtspiText>(atspi_accessible_get_text_iface(object))};
    if (!level.text || m_budget.spent()) return std::nullopt;
    GError* error = nullptr;
    const int selections = atspi_text_get_n_selections(level.text.get(), &error);
    if (!m_budget.ok(error) || selections <= 0) return std::nullopt;
    AtspiRange* range = atspi_text_get_selection(level.text.get(), 0, &error);
    if (!m_budget.ok(error) || !range) return std::nullopt;
    level.start = std::min(range->start_offset, range->end_offset);
    level.end = std::max(range->start_offset, range->end_offset);
    g_free(range);
    const int count = atspi_text_get_character_count(level.text.get(), &error);
    if (!m_budget.ok(error) || level.start < 0 || level.end <= level.start) return std::nullopt;
    // A count short of the selection is wrong; the selection at least is there.
    level.count = std::max(count, level.end);
    return level;
}

// The object whose character stands at `offset` of the object's text; null for any other
// character.
AtspiAccessible* AtspiSelectedText::embeddedAt(AtspiAccessible* object, int offset)
{
    Ref<AtspiHypertext> hypertext(object ? atspi_accessible_get_hypertext_iface(object) : nullptr);
    if (!hypertext || m_budget.spent()) return nullptr;
    GError* error = nullptr;
    const int index = atspi_hypertext_get_link_index(hypertext.get(), offset, &error);
    if (!m_budget.ok(error) || index < 0) return nullptr;
    Ref<AtspiHyperlink> link(atspi_hypertext_get_link(hypertext.get(), index, &error));
    if (!m_budget.ok(error) || !link) return nullptr;
    Ref<AtspiAccessible> embedded(atspi_hyperlink_get_object(link.get(), 0, &error));
    return m_budget.ok(error) ? embedded.release() : nullptr;
}

// The whole text of an embedded object, or only its selected part when `selected` and it has
// one. None when it has no text, or the walk has read enough.
std::optional<QString> AtspiSelectedText::textOf(AtspiAccessible* object, bool selected, int depth)
{
    if (!object || depth > maxEmbeddedDepth || m_objectsLeft <= 0 || m_budget.spent())
        return std::nullopt;
    --m_objectsLeft;
    if (selected) {
        if (std::optional<Level> level = levelOf(object))
            return expandedText(object, level->text.get(), level->start, level->end, true, depth);
        if (m_budget.spent()) return std::nullopt;
    }
    Ref<AtspiText> text(atspi_accessible_get_text_iface(object));
    if (!text) return std::nullopt;
    GError* error = nullptr;
    const int count = atspi_text_get_character_count(text.get(), &error);
    if (!m_budget.ok(error)) return std::nullopt;
    return expandedText(object, text.get(), 0, std::min(count, 2 * sliceMargin), selected, depth);
}

std::optional<QString> AtspiSelectedText::expandedText(AtspiAccessible* object, AtspiText* text,
                                                       int start, int end, bool selected, int depth)
{
    GError* error = nullptr;
    gchar* read = atspi_text_get_text(text, start, end, &error);
    if (!m_budget.ok(error) || !read) return std::nullopt;
    const QString value = QString::fromUtf8(read);
    g_free(read);
    const TextRange all{0, selected ? value.size() : 0};
    return EmbeddedText::expand(value, all,
                                [&](qint64 index, bool inSelection) {
                                    Ref<AtspiAccessible> embedded(
                                        embeddedAt(object, start + int(index)));
                                    return textOf(embedded.get(), inSelection, depth + 1);
                                })
        .text;
}

} // namespace glossivo
