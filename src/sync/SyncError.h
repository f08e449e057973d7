#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace glossivo {

// A failure of a sync pass or of a connection test. kind() decides the sentence the user sees
// (SyncService::describe); what() is the full description for the command line.
class SyncError : public std::exception {
public:
    enum class Kind {
        http,        // a status the request does not allow; 0 for a reply that is not HTTP
        busy,        // the fourth upload of one pass was refused
        certificate, // the server's certificate is not the pinned one, or TLS failed
        connection,  // no complete reply: no network, server down, time-out
        address,     // the stored server address is not an https address with a host
        encoding,    // the merged document could not be written as JSON
        tooLarge,    // the reply went on past any real word book's size
    };

    static SyncError http(int status);
    static SyncError busy();
    static SyncError certificate(const QString& detail);
    static SyncError connection(const QString& detail);
    static SyncError address(const QString& server);
    static SyncError encoding();
    static SyncError tooLarge(qint64 limit);

    Kind kind() const { return m_kind; }
    int status() const { return m_status; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    SyncError(Kind kind, int status, const QString& description);

    Kind m_kind;
    int m_status;
    QByteArray m_what;
};

} // namespace glossivo
