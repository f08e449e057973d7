#pragma once

namespace glossivo::ProcessServices {

// Joins the process-wide objects of the subsystems to one another (the word book to the AI
// service's memory tips). Called once, first thing in main(), before any of them is used; it
// loads nothing: each object is still built at its first use.
void install();

} // namespace glossivo::ProcessServices
