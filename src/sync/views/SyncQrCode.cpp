#include "sync/views/SyncQrCode.h"

#include <qrencode.h>

#include <memory>

namespace glossivo::SyncQrCode {

namespace {

constexpr int quietZone = 4;

struct FreeCode {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

} // namespace

std::optional<QImage> image(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, FreeCode> code(QRcode_encodeData(
        int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
        QR_ECLEVEL_M));
    if (!code) return std::nullopt;
    const int width = code->width;
    QImage image(width + 2 * quietZone, width + 2 * quietZone, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    for (int y = 0; y < width; ++y) {
        uchar* line = image.scanLine(y + quietZone);
        for (int x = 0; x < width; ++x)
            if (code->data[y * width + x] & 1) line[x + quietZone] = 0;
    }
    return image;
}

} // namespace glossivo::SyncQrCode
