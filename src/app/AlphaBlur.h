#pragma once

#include <QImage>

namespace glossivo::AlphaBlur {

// A soft shadow of a shape: the mask's alpha blurred with (a close approximation of) a Gaussian
// of the given standard deviation in pixels, returned as black of that alpha, premultiplied.
// Alpha beyond the image edges counts as zero.
QImage gaussian(const QImage& mask, double sigma);

} // namespace glossivo::AlphaBlur
