#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace glossivo {

ClipboardSnapshot QtClipboard::snapshot()
{
    ClipboardSnapshot saved;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data) return saved;
    for (const QString& format : data->formats()) {
        const QByteArray bytes = data->data(format);
        if (!bytes.isEmpty()) saved.append({format, bytes});
    }
    return saved;
}

void QtClipboard::restore(const ClipboardSnapshot& snapshot)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (snapshot.isEmpty()) {
        clipboard->clear(QClipboard::Clipboard);
        return;
    }
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : snapshot)
        data->setData(format, bytes);
    clipboard->setMimeData(data, QClipboard::Clipboard);
}

} // namespace glossivo
