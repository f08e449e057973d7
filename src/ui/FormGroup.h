#pragma once

#include <QString>

class QVBoxLayout;
class QWidget;

namespace glossivo {

// A group of the settings form: its header in bold above a framed box on the base colour,
// which holds the group's rows. Every section of the settings window is built as one, so
// sections from other subsystems line up with the window's own.
struct FormGroup {
    QWidget* widget;
    QVBoxLayout* box;
};

// A group without header when `header` is empty.
FormGroup formGroup(const QString& header);

} // namespace glossivo
