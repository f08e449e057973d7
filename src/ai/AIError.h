#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace glossivo {

// A failure of the AI service as the user is told of it: every case has one Chinese sentence.
class AIError : public std::exception {
public:
    enum class Kind { http, noKey, unauthorized, noBalance, badResponse };

    // status 0 stands for a reply that was not an HTTP reply.
    static AIError http(int status, const QString& body);
    static AIError noKey() { return AIError(Kind::noKey); }
    static AIError unauthorized() { return AIError(Kind::unauthorized); }
    static AIError noBalance() { return AIError(Kind::noBalance); }
    static AIError badResponse() { return AIError(Kind::badResponse); }

    // The error for a reply whose status is not 200; only the first 200 characters of the body
    // are kept.
    static AIError forStatus(int status, const QString& body);

    Kind kind() const { return m_kind; }
    int status() const { return m_status; }
    const QString& body() const { return m_body; }

    QString errorDescription() const;
    // The description in UTF-8.
    const char* what() const noexcept override { return m_what.constData(); }

private:
    explicit AIError(Kind kind, int status = 0, const QString& body = {});

    Kind m_kind;
    int m_status;
    QString m_body;
    QByteArray m_what;
};

} // namespace glossivo
