#pragma once
// A small HTTP server on 127.0.0.1 for the link check tests. Each connection answers one request
// from a table of paths and closes; "/silent" never answers until the server stops.
#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quillmap::test {

class HttpTestServer {
#ifdef _WIN32
    using Socket = SOCKET;
    static int poll(pollfd* fds, unsigned long count, int timeout) { return WSAPoll(fds, count, timeout); }
    static void close(Socket socket) { closesocket(socket); }
    static constexpr int MSG_NOSIGNAL = 0;
    struct Winsock {
        Winsock()
        {
            WSADATA data;
            WSAStartup(MAKEWORD(2, 2), &data);
        }
        ~Winsock() { WSACleanup(); }
    } winsock_;
#else
    using Socket = int;
#endif

public:
    HttpTestServer()
    {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        listen(listener_, 64);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptLoop(); });
    }
    ~HttpTestServer()
    {
        stop_ = true;
        acceptor_.join();
        for (auto& thread : threads_) thread.join();
        close(listener_);
    }

    // How many requests came for a path.
    int requests(const std::string& path)
    {
        const std::lock_guard lock(mutex_);
        return counts_[path];
    }

    int port = 0;

private:
    bool readable(Socket socket) const
    {
        pollfd wait{socket, POLLIN, 0};
        while (!stop_)
            if (poll(&wait, 1, 50) > 0) return true;
        return false;
    }
    void acceptLoop()
    {
        while (readable(listener_)) {
            const Socket connection = accept(listener_, nullptr, nullptr);
            const std::lock_guard lock(mutex_);
            threads_.emplace_back([this, connection] { answer(connection); });
        }
    }
    void answer(Socket connection)
    {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && readable(connection)) {
            const auto got = recv(connection, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            request.append(buffer, static_cast<std::size_t>(got));
        }
        const std::size_t space = request.find(' ');
        const std::string method = request.substr(0, space);
        const std::string path = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
        {
            const std::lock_guard lock(mutex_);
            ++counts_[path];
        }
        std::string head = "200 OK";
        if (path == "/moved") head = "301 Moved\r\nLocation: /moved-again";
        if (path == "/moved-again") head = "302 Found\r\nLocation: http://127.0.0.1:" + std::to_string(port) + "/ok";
        if (path == "/loop-a") head = "301 Moved\r\nLocation: /loop-b";
        if (path == "/loop-b") head = "301 Moved\r\nLocation: /loop-a";
        if (path.rfind("/hop/", 0) == 0 && path != "/hop/0")
            head = "302 Found\r\nLocation: /hop/" + std::to_string(std::stoi(path.substr(5)) - 1);
        if (path == "/no-location") head = "302 Found";
        if (path == "/long-location") head = "302 Found\r\nLocation: /" + std::string(200'000, 'l');
        if (path == "/big-header") head = "200 OK\r\nX-Padding: " + std::string(1'000'000, 'p');
        if (path == "/missing") head = "404 Not Found";
        if (path == "/error") head = "500 Internal Server Error";
        if (path == "/nohead" && method == "HEAD") head = "405 Method Not Allowed";
        if (path == "/silent") readable(connection);
        const std::string reply = "HTTP/1.1 " + head + "\r\nContent-Length: 2\r\nConnection: close\r\n\r\n" +
                                  (method == "HEAD" ? "" : "ok");
        send(connection, reply.data(), static_cast<int>(reply.size()), MSG_NOSIGNAL);
        close(connection);
    }

    Socket listener_{};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::thread acceptor_;
    std::vector<std::thread> threads_;
    std::map<std::string, int> counts_;
};

}  // namespace quillmap::test
