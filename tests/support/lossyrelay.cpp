#include "support/lossyrelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace {

struct Pair {
    int client = -1;
    int server = -1;
    QByteArray pending; // client bytes not yet a whole packet
};

bool sendAll(int fd, const char *data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, static_cast<size_t>(size), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

int connectTo(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void closePair(Pair &p) {
    if (p.client >= 0)
        ::close(p.client);
    if (p.server >= 0)
        ::close(p.server);
    p.client = p.server = -1;
}

} // namespace

LossyRelay::LossyRelay(int serverPort, Cut cut, bool forward)
    : serverPort_(serverPort)
    , cut_(std::move(cut))
    , forward_(forward) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listenFd_, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::listen(listenFd_, 8);
    socklen_t len = sizeof a;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { run(); });
}

LossyRelay::~LossyRelay() {
    stop_ = true;
    thread_.join();
    ::close(listenFd_);
}

char LossyRelay::command(const QByteArray &packet) {
    return packet.size() > 4 ? packet.at(4) : char(0);
}

QByteArray LossyRelay::payload(const QByteArray &packet) {
    return packet.mid(5);
}

bool LossyRelay::isCommit(const QByteArray &packet) {
    return command(packet) == 0x03 && payload(packet).trimmed().toUpper() == "COMMIT";
}

void LossyRelay::run() {
    std::vector<Pair> pairs;
    char buf[65536];
    while (!stop_) {
        std::vector<pollfd> fds{{listenFd_, POLLIN, 0}};
        for (const Pair &p : pairs) {
            fds.push_back({p.client, POLLIN, 0});
            fds.push_back({p.server, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), 50) <= 0)
            continue;
        const size_t polled = pairs.size();
        if (fds[0].revents & POLLIN) {
            const int client = ::accept(listenFd_, nullptr, nullptr);
            const int server = client >= 0 && !refusing_ ? connectTo(serverPort_) : -1;
            if (server >= 0)
                pairs.push_back({client, server, {}});
            else if (client >= 0)
                ::close(client);
        }
        for (size_t i = 0; i < polled; ++i) {
            Pair &p = pairs[i];
            const short fromClient = fds[1 + 2 * i].revents;
            const short fromServer = fds[2 + 2 * i].revents;
            if (fromServer & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = ::recv(p.server, buf, sizeof buf, 0);
                if (n <= 0 || !sendAll(p.client, buf, n)) {
                    closePair(p);
                    continue;
                }
            }
            if (fromClient & (POLLIN | POLLHUP | POLLERR)) {
                const ssize_t n = ::recv(p.client, buf, sizeof buf, 0);
                if (n <= 0) {
                    closePair(p);
                    continue;
                }
                p.pending.append(buf, n);
                while (p.pending.size() >= 4) {
                    const auto *h = reinterpret_cast<const unsigned char *>(p.pending.constData());
                    const qsizetype size = 4 + (h[0] | (h[1] << 8) | (h[2] << 16));
                    if (p.pending.size() < size)
                        break;
                    const QByteArray packet = p.pending.left(size);
                    p.pending.remove(0, size);
                    const bool lose = !cutDone_ && cut_(packet);
                    if (lose && refuseAfterCut_)
                        refusing_ = true;
                    if (lose && !forward_) {
                        cutDone_ = true;
                        closePair(p);
                        break;
                    }
                    if (!sendAll(p.server, packet.constData(), packet.size())) {
                        closePair(p);
                        break;
                    }
                    if (lose) {
                        // Wait for the server's answer, so the statement has run, then drop it.
                        pollfd w{p.server, POLLIN, 0};
                        if (::poll(&w, 1, 10000) > 0)
                            (void)::recv(p.server, buf, sizeof buf, 0);
                        cutDone_ = true;
                        closePair(p);
                        break;
                    }
                }
            }
        }
        std::erase_if(pairs, [](const Pair &p) { return p.client < 0; });
    }
    for (Pair &p : pairs)
        closePair(p);
}
