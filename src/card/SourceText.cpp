#include "card/SourceText.h"

#include "model/BidiControls.h"

#include <QStringList>

namespace glossivo::SourceText {

std::optional<QString> label(const PageSource& source)
{
    QStringList parts;
    if (source.app) parts.append(*source.app);
    if (const auto host = source.host()) parts.append(*host);
    if (parts.isEmpty()) return std::nullopt;
    // The application's name comes from its window: outside text.
    return QStringLiteral("来自 ") + BidiControls::removed(parts.join(QStringLiteral(" · ")));
}

} // namespace glossivo::SourceText
