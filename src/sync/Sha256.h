#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

using EVP_MD_CTX = struct evp_md_ctx_st;

namespace glossivo {

// SHA-256 over bytes handed in piece by piece, so that a document of tens of megabytes can be
// hashed without first being joined into one buffer. Through libcrypto, whose hardware-assisted
// SHA-256 is several times faster than QCryptographicHash's.
class Sha256 {
public:
    Sha256();

    void add(QByteArrayView bytes);
    // The digest in 64 lower-case hexadecimal digits; nothing may be added afterwards.
    QString hex();

    static QString hexOf(QByteArrayView bytes);

private:
    struct Free {
        void operator()(EVP_MD_CTX* context) const;
    };
    std::unique_ptr<EVP_MD_CTX, Free> m_context;
};

} // namespace glossivo
