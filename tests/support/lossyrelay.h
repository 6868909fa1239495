#pragma once

#include <QByteArray>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// A TCP relay on loopback between the program and the test server that can lose one reply:
// every whole packet the client sends is offered to cut(); the first one it accepts is
// forwarded, the server's answer is read and dropped, and both sides of that connection are
// closed at once. Later connections (the program's reconnect) pass through untouched.
// With forward false the accepted packet itself is dropped instead (the server never runs it).
class LossyRelay {
public:
    using Cut = std::function<bool(const QByteArray &packet)>;
    LossyRelay(int serverPort, Cut cut, bool forward = true);
    ~LossyRelay();
    LossyRelay(const LossyRelay &) = delete;
    LossyRelay &operator=(const LossyRelay &) = delete;

    int port() const { return port_; }
    // The reply was dropped.
    bool cutDone() const { return cutDone_; }
    // While refusing, new connections are closed as soon as they are accepted.
    void setRefusing(bool refusing) { refusing_ = refusing; }
    // Starts refusing the moment the reply is dropped (the program cannot ask right after).
    void refuseAfterCut() { refuseAfterCut_ = true; }

    // A client packet's command byte and its payload after it.
    static char command(const QByteArray &packet);
    static QByteArray payload(const QByteArray &packet);
    // A COM_QUERY whose text is COMMIT (any case).
    static bool isCommit(const QByteArray &packet);

private:
    void run();

    int serverPort_;
    Cut cut_;
    bool forward_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> cutDone_{false};
    std::atomic<bool> refusing_{false};
    std::atomic<bool> refuseAfterCut_{false};
    std::thread thread_;
};
