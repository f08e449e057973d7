#pragma once

#include "input/TextRecognizer.h"

#include <memory>

namespace tesseract {
class TessBaseAPI;
}

namespace glossivo {

// English text recognition with Tesseract's LSTM engine. Starting it loads the language data,
// which takes a noticeable moment: make one and keep it while it is in use (RecognitionWorker
// does).
class TesseractRecognizer : public TextRecognizer {
public:
    // Throws RecognitionError when the engine or its English data cannot be loaded.
    TesseractRecognizer();
    ~TesseractRecognizer() override;

    QList<ScreenOCR::Line> recognizeLines(const GrayImage& image) override;

private:
    std::unique_ptr<tesseract::TessBaseAPI> m_api;
};

} // namespace glossivo
