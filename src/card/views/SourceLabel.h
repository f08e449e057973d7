#pragma once

#include "model/PageSource.h"

#include <QWidget>

namespace glossivo {

// Where a text was read: "来自 " with the application and the site, a link to the page when it
// has a web address, and the page title below it when asked for.
class SourceLabel : public QWidget {
    Q_OBJECT

public:
    SourceLabel(const PageSource& source, bool showTitle, QWidget* parent = nullptr);
};

} // namespace glossivo
