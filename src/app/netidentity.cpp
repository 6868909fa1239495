#include "app/netidentity.h"

namespace app {
namespace {

std::unique_ptr<NetworkIdentity> &installed() {
    static std::unique_ptr<NetworkIdentity> identity;
    return identity;
}

} // namespace

const NetworkIdentity &networkIdentity() {
    if (!installed())
        installed() = makePlatformNetworkIdentity();
    return *installed();
}

void setNetworkIdentity(std::unique_ptr<NetworkIdentity> identity) {
    installed() = std::move(identity);
}

} // namespace app
