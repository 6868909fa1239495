#include "app/macaddress.h"

#include "app/netidentity.h"

#include <QStringList>

namespace app {

QString macText(const QByteArray &bytes) {
    QStringList parts;
    for (const char c : bytes) {
        const auto value = static_cast<unsigned char>(c);
        parts << (value == 0 ? QStringLiteral("00") : QString::number(value, 16).toUpper());
    }
    return parts.join(QLatin1Char('-'));
}

bool GetMacAddress(const QString &ipv4, QString *mac) {
    const QByteArray bytes = networkIdentity().hardwareAddress(ipv4);
    if (bytes.isEmpty())
        return false;
    if (bytes.left(4).count('\0') == bytes.left(4).size())
        return false;
    *mac = macText(bytes);
    return true;
}

QString macTextForLog(const QString &ipv4) {
    if (ipv4.isEmpty())
        return {};
    QString mac;
    if (!GetMacAddress(ipv4, &mac))
        return QStringLiteral("(SendARP call failed)");
    return mac;
}

} // namespace app
