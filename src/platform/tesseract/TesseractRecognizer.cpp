#include "platform/tesseract/TesseractRecognizer.h"

#include "input/RecognizedLineBuilder.h"

#include <malloc.h>
#include <omp.h>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

namespace glossivo {

namespace {

using RecognizedLineBuilder::Glyph;
using RecognizedLineBuilder::Token;
using RecognizedLineBuilder::TokenLine;

QString takeText(char* text)
{
    const QString result = QString::fromUtf8(text);
    delete[] text;
    return result;
}

QRect boxAt(const tesseract::ResultIterator& it, tesseract::PageIteratorLevel level)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!it.BoundingBox(level, &left, &top, &right, &bottom)) return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QList<TokenLine> readTokens(tesseract::ResultIterator& it)
{
    QList<TokenLine> lines;
    do {
        if (it.Empty(tesseract::RIL_SYMBOL)) continue;
        if (lines.isEmpty() || it.IsAtBeginningOf(tesseract::RIL_TEXTLINE))
            lines.append(TokenLine());
        if (lines.back().isEmpty() || it.IsAtBeginningOf(tesseract::RIL_WORD)) {
            Token token;
            token.text = takeText(it.GetUTF8Text(tesseract::RIL_WORD));
            token.confidence = it.Confidence(tesseract::RIL_WORD);
            token.box = boxAt(it, tesseract::RIL_WORD);
            lines.back().append(token);
        }
        lines.back().back().glyphs.append(Glyph{takeText(it.GetUTF8Text(tesseract::RIL_SYMBOL)),
                                                boxAt(it, tesseract::RIL_SYMBOL)});
    } while (it.Next(tesseract::RIL_SYMBOL));
    return lines;
}

} // namespace

TesseractRecognizer::TesseractRecognizer() : m_api(std::make_unique<tesseract::TessBaseAPI>())
{
    // The engine would spread its work over four OpenMP threads that spin while they wait:
    // on a busy machine that made a strip take two seconds instead of a fifth of one. One
    // thread, the recognition worker's own, reads steadily and leaves the other cores alone.
    omp_set_max_active_levels(0);
    if (m_api->Init(nullptr, "eng", tesseract::OEM_LSTM_ONLY) != 0)
        throw RecognitionError("Tesseract could not load its English language data");
    m_api->SetPageSegMode(tesseract::PSM_AUTO);
    // Its progress notes ("Estimating resolution as …") are not for the user.
    m_api->SetVariable("debug_file", "/dev/null");
}

TesseractRecognizer::~TesseractRecognizer()
{
    m_api->End();
    m_api.reset();
    // The engine's tens of megabytes would otherwise stay in its thread's heap, free but held.
    ::malloc_trim(0);
}

QList<ScreenOCR::Line> TesseractRecognizer::recognizeLines(const GrayImage& image)
{
    if (image.isNull() || image.pixels.size() != qsizetype(image.width) * image.height)
        throw RecognitionError("the picture to recognise is malformed");
    // Light text on a dark ground is read too: the engine reads a line again inverted when
    // the first reading is unsure. Deciding for the whole picture instead would spoil every
    // strip that holds both a dark bar and a light page.
    m_api->SetImage(reinterpret_cast<const unsigned char*>(image.pixels.constData()), image.width,
                    image.height, 1, image.width);
    // A picture without any text is not a failure: it has no lines.
    if (m_api->Recognize(nullptr) != 0)
        throw RecognitionError("Tesseract could not read the picture");
    std::unique_ptr<tesseract::ResultIterator> it(m_api->GetIterator());
    QList<TokenLine> tokens = it ? readTokens(*it) : QList<TokenLine>{};
    m_api->Clear();
    return RecognizedLineBuilder::build(tokens, QSize(image.width, image.height));
}

} // namespace glossivo
