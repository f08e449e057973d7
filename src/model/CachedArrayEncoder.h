#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QJsonDocument>
#include <QList>
#include <QUuid>

#include <atomic>
#include <cstring>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace glossivo {

// Encodes a list of records as a pretty-printed JSON array, byte for byte as QJsonDocument
// would, but keeps the text of each record and reuses it while the record is unchanged. A word
// book rewrites its whole word list after every answer; with this only the one changed word is
// encoded again. The kept copies of the records share their data with the list (Qt's implicit
// sharing), so the cache costs little memory beyond the text.
template <class T> class CachedArrayEncoder {
public:
    CachedArrayEncoder() = default;
    CachedArrayEncoder(const CachedArrayEncoder&) = delete;
    CachedArrayEncoder& operator=(const CachedArrayEncoder&) = delete;
    ~CachedArrayEncoder() { stopChecking(); }

    // The document as pieces to be written one after the other: joined, they are the text. The
    // pieces share their bytes with the cache, so a word book of tens of megabytes is never
    // copied into one buffer.
    QByteArrayList pieces(const QList<T>& records)
    {
        takeCheckedTexts();
        static const QByteArray open("[\n"), separator(",\n"), close("\n]\n"), empty("]\n");
        ++m_pass;
        m_used = 0;
        QByteArrayList pieces;
        pieces.reserve(2 * records.size() + 1);
        pieces.append(open);
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (i > 0) pieces.append(separator);
            pieces.append(text(records[i]));
        }
        pieces.append(records.isEmpty() ? empty : close);
        // Records that left the list leave the cache.
        if (m_kept.size() > m_used)
            m_kept.removeIf([this](const auto& kept) { return kept.value().pass != m_pass; });
        return pieces;
    }

    QByteArray encode(const QList<T>& records) { return pieces(records).join(); }

    // Takes the text of the document the records were just read from as their cached text, so
    // that the first write after a load costs no more than a later one. A document this encoder
    // wrote holds exactly that text; one edited by hand may not, so another thread encodes every
    // record once and replaces each text that differs. Until it is done, a write may still use a
    // text as it stood in the file, which reads back as the same record. A text that is not laid
    // out as this encoder lays it out, or one that does not hold as many elements as there are
    // records, seeds nothing. Returns whether the cache was seeded.
    bool seed(const QList<T>& records, const QByteArray& document)
    {
        return seed(records, document, elementTexts(document));
    }

    // The same with the document's elementTexts(), found while the records were being read.
    // A document this encoder's own write left as it was (`asWritten`) is not checked: its
    // texts are the encoder's by construction.
    bool seed(const QList<T>& records, const QByteArray& document,
              std::optional<QByteArrayList> texts, bool asWritten = false)
    {
        stopChecking();
        if (!texts || texts->size() != records.size()) return false;
        m_source = document;
        m_seedRecords = records;
        m_seedTexts = std::move(*texts);
        m_seedIndex.clear();
        m_seedIndex.reserve(records.size());
        for (qsizetype i = 0; i < records.size(); ++i)
            m_seedIndex.insert(records[i].id, i);
        m_stop = false;
        m_done = false;
        if (asWritten) return true;
        m_checker = std::thread([this, records, texts = m_seedTexts] {
            for (qsizetype i = 0; i < records.size() && !m_stop; ++i) {
                QByteArray text = encodeElement(records[i]);
                if (text != texts[i]) m_checked.push_back({i, std::move(text)});
            }
            m_done = true;
        });
        return true;
    }

    // Waits until every seeded text is checked and the differing ones replaced.
    void finishChecking()
    {
        if (m_checker.joinable()) m_checker.join();
        takeCheckedTexts();
    }

    // The elements of a document laid out as pieces() lays it out: "[\n", then each element from
    // its "    {" line to its "    }" line, every line between indented deeper, joined by ",\n",
    // then "\n]\n". They point into the document's bytes, which the caller keeps. None for a
    // document laid out otherwise, or one without elements.
    static std::optional<QByteArrayList> elementTexts(const QByteArray& document)
    {
        const char* const begin = document.constData();
        const char* const end = begin + document.size();
        const auto at = [end](const char* where, std::string_view text) {
            return size_t(end - where) >= text.size() &&
                   std::memcmp(where, text.data(), text.size()) == 0;
        };
        if (!at(begin, "[\n")) return std::nullopt;
        QByteArrayList texts;
        const char* element = begin + 2;
        while (true) {
            if (!at(element, "    {\n")) return std::nullopt;
            const char* line = element + 6; // the line after "    {"
            while (!at(line, "    }")) {
                if (!at(line, "        ")) return std::nullopt;
                const void* lineEnd = std::memchr(line, '\n', size_t(end - line));
                if (!lineEnd) return std::nullopt;
                line = static_cast<const char*>(lineEnd) + 1;
            }
            const char* elementEnd = line + 5;
            texts.append(QByteArray::fromRawData(element, elementEnd - element));
            if (at(elementEnd, ",\n"))
                element = elementEnd + 2;
            else if (elementEnd + 3 == end && at(elementEnd, "\n]\n"))
                return texts;
            else
                return std::nullopt;
        }
    }

private:
    struct Kept {
        T record;
        QByteArray text;
        quint64 pass = 0; // the last encoding that used it
    };

    // The record's text: kept from an earlier encoding, else as it was read, else encoded now.
    QByteArray text(const T& record)
    {
        auto known = m_kept.find(record.id);
        if (known != m_kept.end() && known->record == record) {
            if (known->pass != m_pass) ++m_used;
            known->pass = m_pass;
            return known->text;
        }
        if (const auto seeded = m_seedIndex.constFind(record.id); seeded != m_seedIndex.cend())
            if (m_seedRecords[*seeded] == record) {
                if (known != m_kept.end()) m_kept.erase(known);
                return m_seedTexts[*seeded];
            }
        const Kept kept{record, encodeElement(record), m_pass};
        ++m_used;
        if (known != m_kept.end())
            *known = kept;
        else
            m_kept.insert(record.id, kept);
        return kept.text;
    }

    // The record's object as it stands inside the array: every line indented one level.
    static QByteArray encodeElement(const T& record)
    {
        QByteArray object = QJsonDocument(record.toJson()).toJson(QJsonDocument::Indented);
        object.chop(1); // the final line break
        object.replace("\n", "\n    ");
        return "    " + object;
    }

    // The texts the checking thread found to differ, once it is done.
    void takeCheckedTexts()
    {
        if (!m_done) return;
        if (m_checker.joinable()) m_checker.join();
        for (auto& [position, text] : m_checked)
            m_seedTexts[position] = std::move(text);
        m_checked = {};
        m_done = false;
    }

    void stopChecking()
    {
        m_stop = true;
        if (m_checker.joinable()) m_checker.join();
        m_checked = {};
    }

    QHash<QUuid, Kept> m_kept; // records encoded here
    quint64 m_pass = 0;
    qsizetype m_used = 0; // entries of m_kept that this pass used
    // The records as read and their text in the document, and where each id stands in them.
    QList<T> m_seedRecords;
    QByteArrayList m_seedTexts;
    QHash<QUuid, qsizetype> m_seedIndex;
    QByteArray m_source; // what the texts as read point into
    std::thread m_checker;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_done = false;
    std::vector<std::pair<qsizetype, QByteArray>> m_checked; // only the checking thread writes it
};

} // namespace glossivo
