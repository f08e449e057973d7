#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace glossivo {

// What the triggers use of the lookup card. The card takes the page source itself when it
// starts a lookup, so a reading hands over only the text, its context and the pointer.
class LookupCard {
public:
    virtual ~LookupCard() = default;

    // Explains a word or short phrase next to `at`; a present but empty context is passed on.
    virtual void lookup(const QString& word, const std::optional<QString>& context, QPoint at) = 0;
    // Offers to translate a longer passage next to `at`.
    virtual void offerTranslation(const QString& text, QPoint at) = 0;
    // Translates a recognised passage next to `at` at once, without an offer first.
    virtual void showTranslation(const QString& text, QPoint at) = 0;
    // Shows an error card next to `at`, cancelling the card's running request; with
    // `needsSettings` it offers to open the settings window.
    virtual void showError(const QString& message, bool needsSettings, QPoint at) = 0;
    // Hides the card in whatever state it is, cancelling its pending work.
    virtual void hide() = 0;
    // Whether the card on screen is a translation offer (scrolling hides only that).
    virtual bool showsTranslateOffer() const = 0;
    // The card's frame in global coordinates while it is on the screen; none while hidden.
    virtual std::optional<QRect> visibleFrame() const = 0;
};

} // namespace glossivo
