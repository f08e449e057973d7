#pragma once

#include "input/GrayImage.h"

namespace glossivo::SolidBlocks {

// Paints the page's grey over blocks of solid ink as tall as their line of text, with blank
// on either side: a terminal's block cursor, which the recogniser reads as letters ("dawn.ff").
// A block holds no text, so nothing readable goes; a highlight behind text is no solid block.
void paintOver(GrayImage& image);

} // namespace glossivo::SolidBlocks
