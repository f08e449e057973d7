#include "card/CardText.h"

#include "ai/Characters.h"

namespace glossivo::CardText {

QString translatingTitle(const QString& text)
{
    const QString prefix = Characters::prefix(text, kTranslatingTitleCharacters);
    return prefix.size() < text.size() ? prefix + QStringLiteral("…") : prefix;
}

} // namespace glossivo::CardText
