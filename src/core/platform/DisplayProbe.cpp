#include "platform/DisplayProbe.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace brelker {
namespace {

// How long a display on another host may take to answer.
constexpr int kConnectTimeoutMs = 2000;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// Connects to a local socket; abstract names start with '@'.
bool LocalSocketAnswers(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    if (path.front() == '@') {
        address.sun_path[0] = '\0';
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
    const bool answered = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return answered;
}

// Connects to host:port, waiting at most kConnectTimeoutMs.
bool TcpAnswers(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    bool answered = false;
    for (const addrinfo* candidate = found; candidate != nullptr && !answered;
         candidate = candidate->ai_next) {
        const int fd = ::socket(candidate->ai_family,
                                candidate->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            continue;
        }
        if (::connect(fd, candidate->ai_addr, candidate->ai_addrlen) == 0) {
            answered = true;
        } else if (errno == EINPROGRESS) {
            pollfd wait{fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            answered = ::poll(&wait, 1, kConnectTimeoutMs) == 1 &&
                       ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
        }
        ::close(fd);
    }
    ::freeaddrinfo(found);
    return answered;
}

// "[host]:number[.screen]", as X reads $DISPLAY.
bool X11Answers(const std::string& display) {
    const auto colon = display.rfind(':');
    if (colon == std::string::npos) {
        return false;
    }
    const std::string host = display.substr(0, colon);
    const int number = std::atoi(display.c_str() + colon + 1);
    if (host.empty() || host == "unix") {
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        return LocalSocketAnswers(socket) || LocalSocketAnswers("@" + socket);
    }
    if (host.front() == '/') {  // a launchd-style socket path
        return LocalSocketAnswers(display);
    }
    return TcpAnswers(host, 6000 + number);
}

bool WaylandAnswers(const std::string& display) {
    if (display.empty()) {
        return false;
    }
    if (display.front() == '/') {
        return LocalSocketAnswers(display);
    }
    const std::string runtime = Variable("XDG_RUNTIME_DIR");
    return !runtime.empty() && LocalSocketAnswers(runtime + "/" + display);
}

}  // namespace

bool DisplayAnswers() {
    const std::string platform = Variable("QT_QPA_PLATFORM");
    const std::string x11 = Variable("DISPLAY");
    const std::string wayland = Variable("WAYLAND_DISPLAY");
    if (platform.starts_with("offscreen") || platform.starts_with("minimal")) {
        return false;
    }
    if (platform.starts_with("xcb")) {
        return X11Answers(x11);
    }
    if (platform.starts_with("wayland")) {
        return WaylandAnswers(wayland.empty() ? "wayland-0" : wayland);
    }
    if (!platform.empty()) {
        return true;  // a platform chosen on purpose (vnc, eglfs): Qt's to judge
    }
    return (!wayland.empty() && WaylandAnswers(wayland)) || (!x11.empty() && X11Answers(x11));
}

}  // namespace brelker
