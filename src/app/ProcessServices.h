#pragma once

class QTextStream;

namespace glossivo::ProcessServices {

// Joins the process-wide objects of the subsystems to one another (the word book to the AI
// service's memory tips). Called once, first thing in main(), before any of them is used; it
// loads nothing: each object is still built at its first use. A command-line mode gives the
// stream on which the documents that the word book's load copied aside are told, which the tray
// says in notifications.
void install(QTextStream* notices = nullptr);

} // namespace glossivo::ProcessServices
