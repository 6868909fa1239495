#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The workstation's network identity: its local IPv4 address, its host name
// and the hardware address answering to an IPv4 address. One implementation per platform,
// chosen in CMake; tests install their own.
namespace app {

class NetworkIdentity {
public:
    virtual ~NetworkIdentity() = default;
    // The local IPv4 address as dotted text; empty when the workstation has none.
    virtual QString localIPv4() const = 0;
    virtual QString hostName() const = 0;
    // The hardware address bytes for an IPv4 address; empty when it cannot be found.
    virtual QByteArray hardwareAddress(const QString &ipv4) const = 0;
};

// The installed identity; the platform's own until a test installs another.
const NetworkIdentity &networkIdentity();
// Installs an identity; nullptr restores the platform's.
void setNetworkIdentity(std::unique_ptr<NetworkIdentity> identity);
// Defined in the platform's file.
std::unique_ptr<NetworkIdentity> makePlatformNetworkIdentity();

} // namespace app
