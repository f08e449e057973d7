#pragma once

class QLayout;

namespace glossivo {

// Empties a layout that is drawn again from its state, nested layouts included. Its widgets
// are hidden at once and deleted later: the click that asked for the redraw may come from one
// of them.
void clearLayout(QLayout* layout);

} // namespace glossivo
