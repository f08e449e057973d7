#pragma once

#include "model/PageSource.h"
#include "model/Register.h"
#include "model/SafeLink.h"

#include <QWidget>

#include <functional>

namespace glossivo {

// The pieces the word book's panes borrow from the lookup card and the application: where a
// sentence came from, a speak button, a word's register badge, and the opener of web links.
// Each may be missing (the pane then goes without it).
struct PaneViews {
    using SourceView =
        std::function<QWidget*(const PageSource& source, bool showTitle, QWidget* parent)>;
    SourceView source;
    std::function<QWidget*(const QString& text, QWidget* parent)> speakButton;
    std::function<QWidget*(Register value, QWidget* parent)> registerBadge;
    LinkOpener openLink;
};

} // namespace glossivo
