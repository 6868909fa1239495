#include "app/netidentity.h"

#include <QFile>
#include <QStringList>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

// Linux: addresses from getifaddrs, the host name from gethostname, and the hardware address
// of the interface holding the IPv4 address, or else the kernel's ARP table entry for it.
namespace app {
namespace {

class InterfaceList {
public:
    InterfaceList() {
        if (::getifaddrs(&list_) != 0)
            list_ = nullptr;
    }
    ~InterfaceList() {
        if (list_)
            ::freeifaddrs(list_);
    }
    InterfaceList(const InterfaceList &) = delete;
    InterfaceList &operator=(const InterfaceList &) = delete;
    const ifaddrs *first() const { return list_; }

private:
    ifaddrs *list_ = nullptr;
};

QString ipv4Text(const sockaddr *addr) {
    char text[INET_ADDRSTRLEN] = {};
    const auto *in = reinterpret_cast<const sockaddr_in *>(addr);
    if (!::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
        return {};
    return QString::fromLatin1(text);
}

QByteArray fromArpTable(const QString &ipv4) {
    // "IP address  HW type  Flags  HW address  Mask  Device", one entry a line.
    QFile f(QStringLiteral("/proc/net/arp"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> cols = lines.at(i).simplified().split(' ');
        if (cols.size() >= 4 && QString::fromLatin1(cols.at(0)) == ipv4)
            return QByteArray::fromHex(QByteArray(cols.at(3)).replace(':', ""));
    }
    return {};
}

class LinuxNetworkIdentity : public NetworkIdentity {
public:
    QString localIPv4() const override {
        // The first address of an interface that is up and not the loopback; the loopback
        // address when there is no other, as the workstation's local address then is.
        InterfaceList list;
        QString loopback;
        for (const ifaddrs *a = list.first(); a; a = a->ifa_next) {
            if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || !(a->ifa_flags & IFF_UP))
                continue;
            if (a->ifa_flags & IFF_LOOPBACK) {
                if (loopback.isEmpty())
                    loopback = ipv4Text(a->ifa_addr);
                continue;
            }
            return ipv4Text(a->ifa_addr);
        }
        return loopback;
    }

    QString hostName() const override {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0)
            return {};
        return QString::fromLocal8Bit(name);
    }

    QByteArray hardwareAddress(const QString &ipv4) const override {
        in_addr wanted{};
        if (::inet_pton(AF_INET, ipv4.toLatin1().constData(), &wanted) != 1 || wanted.s_addr == 0)
            return {};
        InterfaceList list;
        QByteArray interfaceName;
        for (const ifaddrs *a = list.first(); a; a = a->ifa_next) {
            if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET)
                continue;
            const auto *in = reinterpret_cast<const sockaddr_in *>(a->ifa_addr);
            if (in->sin_addr.s_addr == wanted.s_addr) {
                interfaceName = a->ifa_name;
                break;
            }
        }
        if (interfaceName.isEmpty())
            return fromArpTable(ipv4);
        for (const ifaddrs *a = list.first(); a; a = a->ifa_next) {
            if (!a->ifa_addr || a->ifa_addr->sa_family != AF_PACKET || interfaceName != a->ifa_name)
                continue;
            const auto *ll = reinterpret_cast<const sockaddr_ll *>(a->ifa_addr);
            const int length = ll->sll_halen < 8 ? ll->sll_halen : 8;
            return QByteArray(reinterpret_cast<const char *>(ll->sll_addr), length);
        }
        return {};
    }
};

} // namespace

std::unique_ptr<NetworkIdentity> makePlatformNetworkIdentity() {
    return std::make_unique<LinuxNetworkIdentity>();
}

} // namespace app
