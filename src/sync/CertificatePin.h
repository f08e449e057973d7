#pragma once

#include <QSslCertificate>
#include <QString>

namespace glossivo::CertificatePin {

// The pin of a certificate: SHA-256 of its DER encoding in 64 lower-case hexadecimal digits.
// The empty text for a null certificate, which therefore matches no pin.
QString of(const QSslCertificate& certificate);

} // namespace glossivo::CertificatePin
