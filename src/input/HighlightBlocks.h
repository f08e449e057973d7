#pragma once

#include "input/GrayImage.h"

namespace glossivo::HighlightBlocks {

// Repaints every block of one grey other than the page's that holds text (a selection's
// highlight, whatever its colour) as the page around it: its ground becomes the page's and its
// text ink of the page's polarity. The recogniser takes a highlight for a picture of its own:
// it read the words beside one as pieces, ran words together across the line, and on a dark
// page a light block turned the reading of its whole line round.
void blendIn(GrayImage& image);

} // namespace glossivo::HighlightBlocks
