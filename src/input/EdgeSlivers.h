#pragma once

#include "input/GrayImage.h"

#include <Qt>

namespace glossivo::EdgeSlivers {

// The picture without the slivers of letters that its cut sides (`cuts`, left and right) cut
// through, as the recogniser is to read it: it took a sliver for a quotation mark or a bar,
// and the word beside it, read with the mark, fell below the confidence that keeps words.
// Which words the sides cut is told from the picture as it was. `beyondLeft` and `beyondRight`
// columns of the picture lie beyond its sides: there a letter at a side without ink beyond it
// is whole and stays, and those columns come back blank, a border beside the letters at the
// sides, which the recogniser misread against the picture's edge ("saic", "petter").
GrayImage paintedOver(GrayImage image, Qt::Edges cuts, int beyondLeft = 0, int beyondRight = 0);

} // namespace glossivo::EdgeSlivers
