#include "sync/Sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace glossivo {

void Sha256::Free::operator()(EVP_MD_CTX* context) const
{
    EVP_MD_CTX_free(context);
}

Sha256::Sha256() : m_context(EVP_MD_CTX_new())
{
    if (!m_context || EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("SHA-256 is not available");
}

void Sha256::add(QByteArrayView bytes)
{
    EVP_DigestUpdate(m_context.get(), bytes.data(), size_t(bytes.size()));
}

QString Sha256::hex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context.get(), digest, &length);
    return QString::fromLatin1(
        QByteArray::fromRawData(reinterpret_cast<const char*>(digest), length).toHex());
}

QString Sha256::hexOf(QByteArrayView bytes)
{
    Sha256 hash;
    hash.add(bytes);
    return hash.hex();
}

} // namespace glossivo
