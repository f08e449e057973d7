#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonDocument>
#include <QList>
#include <QUuid>

namespace glossivo {

// Encodes a list of records as a pretty-printed JSON array, byte for byte as QJsonDocument
// would, but keeps the text of each record and reuses it while the record is unchanged. A word
// book rewrites its whole word list after every answer; with this only the one changed word is
// encoded again. The kept copies of the records share their data with the list (Qt's implicit
// sharing), so the cache costs little memory beyond the text.
template <class T> class CachedArrayEncoder {
public:
    QByteArray encode(const QList<T>& records)
    {
        QHash<QUuid, Kept> kept;
        kept.reserve(records.size());
        QByteArray text("[\n");
        text.reserve(m_lastSize + 4096);
        for (qsizetype i = 0; i < records.size(); ++i) {
            const T& record = records[i];
            const auto known = m_kept.constFind(record.id);
            const QByteArray element = known != m_kept.cend() && known->record == record
                                           ? known->text
                                           : encodeElement(record);
            if (i > 0) text += ",\n";
            text += element;
            kept.insert(record.id, {record, element});
        }
        text += records.isEmpty() ? "]\n" : "\n]\n";
        m_kept = std::move(kept);
        m_lastSize = text.size();
        return text;
    }

private:
    struct Kept {
        T record;
        QByteArray text;
    };

    // The record's object as it stands inside the array: every line indented one level.
    static QByteArray encodeElement(const T& record)
    {
        QByteArray object = QJsonDocument(record.toJson()).toJson(QJsonDocument::Indented);
        object.chop(1); // the final line break
        object.replace("\n", "\n    ");
        return "    " + object;
    }

    QHash<QUuid, Kept> m_kept;
    qsizetype m_lastSize = 0;
};

} // namespace glossivo
