#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace glossivo::SyncQrCode {

// The QR code of the text (UTF-8, error correction level M) at its native size: one pixel per
// module with a four-module quiet zone, black on white. Views enlarge it without smoothing so
// that the modules stay sharp. None when the text does not fit in a QR code.
std::optional<QImage> image(const QString& text);

} // namespace glossivo::SyncQrCode
