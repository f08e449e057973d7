#pragma once

#include <QByteArray>
#include <QByteArrayList>
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
    // The document as pieces to be written one after the other: joined, they are the text. The
    // pieces share their bytes with the cache, so a word book of tens of megabytes is never
    // copied into one buffer.
    QByteArrayList pieces(const QList<T>& records)
    {
        static const QByteArray open("[\n"), separator(",\n"), close("\n]\n"), empty("]\n");
        ++m_pass;
        QByteArrayList pieces;
        pieces.reserve(2 * records.size() + 1);
        pieces.append(open);
        for (qsizetype i = 0; i < records.size(); ++i) {
            const T& record = records[i];
            auto known = m_kept.find(record.id);
            if (known == m_kept.end())
                known = m_kept.insert(record.id, {record, encodeElement(record), m_pass});
            else if (!(known->record == record))
                *known = {record, encodeElement(record), m_pass};
            else
                known->pass = m_pass;
            if (i > 0) pieces.append(separator);
            pieces.append(known->text);
        }
        pieces.append(records.isEmpty() ? empty : close);
        // Records that left the list leave the cache.
        if (m_kept.size() > records.size())
            m_kept.removeIf([this](const auto& kept) { return kept.value().pass != m_pass; });
        return pieces;
    }

    QByteArray encode(const QList<T>& records) { return pieces(records).join(); }

private:
    struct Kept {
        T record;
        QByteArray text;
        quint64 pass = 0; // the last encoding that used it
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
    quint64 m_pass = 0;
};

} // namespace glossivo
