#pragma once

#include "app/netidentity.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A workstation with a known address, host name and hardware address.
namespace testsupport {

class FakeIdentity : public app::NetworkIdentity {
public:
    FakeIdentity(QString ip, QByteArray bytes)
        : ip_(std::move(ip))
        , bytes_(std::move(bytes)) {}
    QString localIPv4() const override { return ip_; }
    QString hostName() const override { return QStringLiteral("kasir-pc"); }
    QByteArray hardwareAddress(const QString &) const override { return bytes_; }

private:
    QString ip_;
    QByteArray bytes_;
};

inline void installFakeIdentity(const QString &ip = QStringLiteral("10.1.2.3"),
                                const QByteArray &bytes = QByteArray::fromHex("001B0A005E01")) {
    app::setNetworkIdentity(std::make_unique<FakeIdentity>(ip, bytes));
}

} // namespace testsupport
