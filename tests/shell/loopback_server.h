// An HTTP server on 127.0.0.1 that answers one request with a fixed reply.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

struct LoopbackServer {
  int fd = -1;
  int port = 0;
  std::string request;
  std::atomic<bool> contacted{false};
  std::thread worker;

  explicit LoopbackServer(std::string reply) {
    fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    listen(fd, 1);
    worker = std::thread([this, reply] {
      int client = accept(fd, nullptr, nullptr);
      if (client < 0) return;
      contacted = true;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, size_t(n));
      }
      send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
      close(client);
    });
  }
  ~LoopbackServer() {
    shutdown(fd, SHUT_RDWR);
    close(fd);
    if (worker.joinable()) worker.join();
  }
  // The request, once the one answer has gone out.
  const std::string& received() {
    if (worker.joinable()) worker.join();
    return request;
  }
  std::string host() const { return "127.0.0.1:" + std::to_string(port); }

  static std::string reply(const std::string& status, const std::string& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
  }
};
