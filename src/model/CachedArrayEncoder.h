#pragma once

#include "model/AtomicFile.h"
#include "model/TextFile.h"

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
// would, but reuses the text of each record while the record is unchanged. A word book rewrites
// its whole word list after every answer; with this only the one changed word is encoded again.
// The texts are not kept in memory, where a large book's would be tens of megabytes at rest:
// each is known by where it stands in the file last read or written, from which the next write
// copies it. A text is encoded afresh when that file was changed by another program. The kept
// copies of the records share their data with the list (Qt's implicit sharing).
template <class T> class CachedArrayEncoder {
public:
    CachedArrayEncoder() = default;
    CachedArrayEncoder(const CachedArrayEncoder&) = delete;
    CachedArrayEncoder& operator=(const CachedArrayEncoder&) = delete;
    ~CachedArrayEncoder() { stopChecking(); }

    // The document as pieces to be written one after the other: joined, they are the text. The
    // unchanged records that follow each other in the last file are one run of it, so a word
    // book of tens of megabytes is copied from file to file and never through this program's
    // memory. They stay valid until finishWrite().
    QList<AtomicFile::Piece> pieces(const QList<T>& records)
    {
        takeCheckedTexts();
        m_fileUnchanged = m_file.isOpen() && m_file.isUnchanged();
        static const QByteArray open("[\n"), separator(",\n"), close("\n]\n"), empty("]\n");
        ++m_pass;
        m_used = 0;
        m_layout.clear();
        m_layout.reserve(records.size());
        QList<AtomicFile::Piece> pieces;
        pieces.reserve(2 * records.size() + 1);
        pieces.append(open);
        for (qsizetype i = 0; i < records.size(); ++i) {
            AtomicFile::Piece piece = text(records[i]);
            AtomicFile::Piece& last = pieces.back();
            // The separator between two texts that follow each other in the file stands there.
            if (i > 0 && piece.source >= 0 && last.source >= 0 &&
                last.offset + last.length + separator.size() == piece.offset) {
                last.length += separator.size() + piece.length;
                continue;
            }
            if (i > 0) pieces.append(separator);
            pieces.append(std::move(piece));
        }
        pieces.append(records.isEmpty() ? empty : close);
        // Records that left the list leave the cache.
        if (m_kept.size() > m_used)
            m_kept.removeIf([this](const auto& kept) { return kept.value().pass != m_pass; });
        return pieces;
    }

    // Whether the file the last pieces copy their runs from is still as it was when they were
    // made: asked once the runs are copied, since another program may write it meanwhile.
    bool sourceUnchanged() const { return !m_fileUnchanged || m_file.isUnchanged(); }
    // Takes the file that the runs came from for changed: the next pieces encode every text
    // that is not in memory afresh.
    void distrustFile() { m_file = TextFile(); }

    // After the pieces were written or not: a written file (handed over here) is where their
    // texts are read from from now on, and the memory they held is given back. Texts of a write
    // that failed (no file) stay in memory until one succeeds.
    void finishWrite(FileDescriptor written)
    {
        if (!written.isOpen()) return;
        qint64 size = m_layout.isEmpty() ? 4 : 3; // "[\n" + "]\n", or "[\n" + "\n]\n"
        for (const Placed& placed : std::as_const(m_layout))
            size += placed.length + 2;
        TextFile file = TextFile::written(std::move(written), size);
        if (!file.isOpen()) return;
        // Seeded records that were not written are gone or changed: their text is no more.
        for (Range& range : m_seedRanges)
            range.offset = -1;
        m_seedTexts.clear();
        qint64 offset = 2;
        for (const Placed& placed : std::as_const(m_layout)) {
            if (placed.seed >= 0) {
                m_seedRanges[placed.seed] = {offset, placed.length};
            } else {
                Kept& kept = m_kept[placed.id];
                kept.text = QByteArray();
                kept.range = {offset, placed.length};
            }
            offset += placed.length + 2;
        }
        m_layout.clear();
        m_file = std::move(file);
        m_source = QByteArray(); // every text now stands in the file
    }

    QByteArray encode(const QList<T>& records)
    {
        const QByteArray text = AtomicFile::join(pieces(records)).value_or(QByteArray());
        finishWrite({});
        return text;
    }

    // Takes the texts of the document the records were just read from as their cached texts, so
    // that the first write after a load costs no more than a later one. With the file it was
    // read from, open, the texts are read from there again when needed; without, the document
    // is kept. A document this encoder wrote holds exactly its texts; one edited by hand may
    // not, so another thread encodes every record once and keeps each text that differs. Until
    // it is done, a write may still use a text as it stood in the file, which reads back as the
    // same record. A text that is not laid out as this encoder lays it out, or one that does not
    // hold as many elements as there are records, seeds nothing. Returns whether it was seeded.
    bool seed(const QList<T>& records, const QByteArray& document)
    {
        return seed(records, document, elementTexts(document));
    }

    // The same with the document's elementTexts(), found while the records were being read.
    // A document this encoder's own write left as it was (`asWritten`) is not checked: its
    // texts are the encoder's by construction.
    bool seed(const QList<T>& records, const QByteArray& document,
              std::optional<QByteArrayList> texts, bool asWritten = false, TextFile file = {})
    {
        stopChecking();
        if (!texts || texts->size() != records.size()) return false;
        const bool inFile = file.isOpen() && file.size() == document.size();
        m_file = inFile ? std::move(file) : TextFile();
        m_source = inFile ? QByteArray() : document;
        // Texts encoded since an earlier seed may stand in the file read then: a seed made when
        // another process replaced the document starts over.
        m_kept.clear();
        m_layout.clear();
        m_seedRecords = records;
        m_seedTexts.clear();
        m_seedRanges.clear();
        m_seedRanges.reserve(records.size());
        m_seedIndex.clear();
        m_seedIndex.reserve(records.size());
        for (qsizetype i = 0; i < records.size(); ++i) {
            const QByteArray& text = (*texts)[i];
            m_seedRanges.append({text.constData() - document.constData(), text.size()});
            m_seedIndex.insert(records[i].id, i);
        }
        m_stop = false;
        m_done = false;
        if (asWritten) return true;
        m_checker = std::thread([this, records, texts = std::move(*texts), document] {
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
    struct Range {
        qint64 offset = -1; // none
        qsizetype length = 0;
    };
    struct Kept {
        T record;
        QByteArray text;  // while it is in no file
        Range range;      // else where it stands in the file
        quint64 pass = 0; // the last encoding that used it
    };
    struct Placed {
        QUuid id;
        qsizetype seed; // the position among the records as read, or -1 for a kept record
        qsizetype length;
    };

    // Where the text of records stands, when it is not in memory: a run of the file, or of the
    // document.
    std::optional<AtomicFile::Piece> slice(Range range) const
    {
        const qint64 size = m_fileUnchanged ? m_file.size() : m_source.size();
        if (range.offset < 0 || range.offset + range.length > size) return std::nullopt;
        if (m_fileUnchanged)
            return AtomicFile::Piece(m_file.descriptor(), range.offset, range.length);
        return QByteArray::fromRawData(m_source.constData() + range.offset, range.length);
    }

    // The record's text: kept from an earlier encoding, else as it was read, else encoded now.
    AtomicFile::Piece text(const T& record)
    {
        auto known = m_kept.find(record.id);
        if (known != m_kept.end() && known->record == record) {
            if (known->pass != m_pass) ++m_used;
            known->pass = m_pass;
            std::optional<AtomicFile::Piece> text = known->text;
            if (known->text.isNull()) {
                text = slice(known->range);
                if (!text) // the file was changed by another program: its text is not trusted
                    text = known->text = encodeElement(record);
            }
            m_layout.append({record.id, -1, text->size()});
            return *text;
        }
        if (const auto seeded = m_seedIndex.constFind(record.id); seeded != m_seedIndex.cend()) {
            const qsizetype i = *seeded;
            if (m_seedRanges[i].offset >= 0 && m_seedRecords[i] == record) {
                std::optional<AtomicFile::Piece> text = m_seedTexts.value(i);
                if (text->bytes.isNull()) text = slice(m_seedRanges[i]);
                if (text) {
                    if (known != m_kept.end()) m_kept.erase(known);
                    m_layout.append({record.id, i, text->size()});
                    return *text;
                }
            }
        }
        const Kept kept{record, encodeElement(record), {}, m_pass};
        ++m_used;
        if (known != m_kept.end())
            *known = kept;
        else
            m_kept.insert(record.id, kept);
        m_layout.append({record.id, -1, kept.text.size()});
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

    // The texts the checking thread found to differ, once it is done, for the records that are
    // still where they were read.
    void takeCheckedTexts()
    {
        if (!m_done) return;
        if (m_checker.joinable()) m_checker.join();
        for (auto& [position, text] : m_checked)
            if (m_seedRanges[position].offset >= 0) m_seedTexts.insert(position, std::move(text));
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
    // The records as read, where each one's text stands in the file (none once a write left it
    // out), the texts that the check found to differ, and where each id stands in the records.
    QList<T> m_seedRecords;
    QList<Range> m_seedRanges;
    QHash<qsizetype, QByteArray> m_seedTexts;
    QHash<QUuid, qsizetype> m_seedIndex;
    TextFile m_file;              // where the texts that are not in memory stand
    bool m_fileUnchanged = false; // as the last pieces found it
    QByteArray m_source;          // the document read, when there is no file to copy from
    QList<Placed> m_layout;       // the records of the last pieces, in order
    std::thread m_checker;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_done = false;
    std::vector<std::pair<qsizetype, QByteArray>> m_checked; // only the checking thread writes it
};

} // namespace glossivo
