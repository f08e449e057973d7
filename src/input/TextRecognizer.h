#pragma once

#include "input/GrayImage.h"
#include "input/ScreenOCR.h"

#include <QList>

#include <stdexcept>

namespace glossivo {

// The recogniser could not read a picture (no engine, no language data, a failed pass).
class RecognitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Recognises the English lines of a picture with their word boxes. One instance is used by one
// thread at a time.
class TextRecognizer {
public:
    virtual ~TextRecognizer() = default;
    // Lines in the recogniser's order, boxes normalized; throws RecognitionError.
    virtual QList<ScreenOCR::Line> recognizeLines(const GrayImage& image) = 0;
};

} // namespace glossivo
