#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "shell/version_download.h"
#include "tests/shell/temp_folder.h"

namespace {

// Answers one request on 127.0.0.1 with a fixed reply and keeps the request.
struct LoopbackServer {
  int fd = -1;
  int port = 0;
  std::string request;
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
    worker.join();
  }
  std::string host() const { return "127.0.0.1:" + std::to_string(port); }
};

std::string reply(const std::string& status, const std::string& body) {
  return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace

TEST(VersionDownload, RepliesOfTheServer) {
  struct Case { std::string status, body; bool ok; int version; } cases[] = {
      {"200 OK", "131\n", true, 131},
      {"200 OK", "130", true, 130},
      {"200 OK", " \t129 beta\r\nnext line\n", true, 129},
      {"200 OK", "garbage\n131\n", false, 0},
      {"200 OK", "", false, 0},
      {"404 Not Found", "131\n", false, 0},
      {"301 Moved", "131\n", false, 0},
      {"200 OK", "132\n" + std::string(20000, '#'), true, 132},
  };
  TempFolder t;
  for (const Case& c : cases) {
    LoopbackServer server(reply(c.status, c.body));
    versionHost = server.host();
    int version = 0;
    EXPECT_EQ(fetchServerVersion(version), c.ok) << c.status << " " << c.body.substr(0, 20);
    if (c.ok) {
      EXPECT_EQ(version, c.version);
    }
    EXPECT_EQ(fileKind("__ver__"), FILE_NONE);
  }
}

TEST(VersionDownload, RequestIsOneGetOfVersionTxt) {
  TempFolder t;
  LoopbackServer server(reply("200 OK", "130\n"));
  versionHost = server.host();
  int version = 0;
  ASSERT_TRUE(fetchServerVersion(version));
  EXPECT_EQ(server.request.rfind("GET /version.txt HTTP/1.1\r\n", 0), 0u) << server.request;
  EXPECT_NE(server.request.find("\r\nHost: " + server.host() + "\r\n"), std::string::npos);
  EXPECT_NE(server.request.find("\r\nAccept: */*\r\n"), std::string::npos);
  EXPECT_NE(server.request.find("\r\nConnection: close\r\n"), std::string::npos);
}

TEST(VersionDownload, NoServerOrNoHostFailsAndLeavesNoFile) {
  TempFolder t;
  writeFile("__ver__", "999\n");   // left over from an earlier run
  int port;
  {
    LoopbackServer gone(reply("200 OK", "131"));
    port = gone.port;
    shutdown(gone.fd, SHUT_RDWR);
  }
  for (std::string host : {"127.0.0.1:" + std::to_string(port), std::string()}) {
    versionHost = host;
    int version = 7;
    EXPECT_FALSE(fetchServerVersion(version)) << host;
    EXPECT_EQ(version, 7);
    EXPECT_EQ(fileKind("__ver__"), FILE_NONE);
  }
}
