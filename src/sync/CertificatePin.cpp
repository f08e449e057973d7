#include "sync/CertificatePin.h"

#include <QCryptographicHash>

namespace glossivo::CertificatePin {

QString of(const QSslCertificate& certificate)
{
    if (certificate.isNull()) return {};
    return QString::fromLatin1(
        QCryptographicHash::hash(certificate.toDer(), QCryptographicHash::Sha256).toHex());
}

} // namespace glossivo::CertificatePin
