#include <gtest/gtest.h>

#include <string>

#include "shell/version_download.h"
#include "tests/shell/loopback_server.h"
#include "tests/support/temp_folder.h"

namespace {

std::string reply(const std::string& status, const std::string& body) {
  return LoopbackServer::reply(status, body);
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
  const std::string& request = server.received();
  EXPECT_EQ(request.rfind("GET /version.txt HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nHost: " + server.host() + "\r\n"), std::string::npos);
  EXPECT_NE(request.find("\r\nAccept: */*\r\n"), std::string::npos);
  EXPECT_NE(request.find("\r\nConnection: close\r\n"), std::string::npos);
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
