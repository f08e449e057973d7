#pragma once

#include "input/GrayImage.h"

namespace glossivo::InkPolarity {

// Turns the lines of light text on a dark ground into dark text on a light one, line by line.
// The recogniser takes one reading of the ink's polarity for a whole picture: a dark page
// holding a light highlight (Tk's grey block with black text) could turn it round for the line
// that holds the highlight, and the rest of that line came back unread. A line is turned when more
// of its ink is lighter than its ground than darker; a blank row when it is dark.
void darkOnLight(GrayImage& image);

} // namespace glossivo::InkPolarity
