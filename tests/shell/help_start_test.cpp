// F1 with the real help viewer, copied into the test's program folder: one
// viewer runs for a program folder, a second F1 brings it forward, also when
// the viewer is slow to answer, and a viewer that crashed leaves nothing in
// the way of the next one.
#include "tests/shell/shell_fixture.h"
#include "ui/program_copies.h"

#include <QDir>

#include <csignal>
#include <climits>
#include <cstdlib>
#include <functional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The processes whose executable is the file at `program`.
std::vector<pid_t> runningCopies(const std::string& program) {
  std::vector<pid_t> pids;
  char real[PATH_MAX];
  if (!realpath(program.c_str(), real)) return pids;
  std::vector<DirEntry> entries;
  listFolder("/proc", "[0-9]*", entries);
  for (const DirEntry& e : entries) {
    char exe[PATH_MAX];
    ssize_t n = readlink(("/proc/" + e.name + "/exe").c_str(), exe, sizeof exe - 1);
    if (n <= 0) continue;
    exe[n] = '\0';
    if (std::string(exe) == real) pids.push_back(std::atoi(e.name.c_str()));
  }
  return pids;
}

bool waitUntil(const std::function<bool()>& done, int ms = 10000) {
  for (int waited = 0; waited < ms; waited += 10) {
    if (done()) return true;
    delayMs(10);
  }
  return done();
}

std::string socketFile(const std::string& program) {
  return QDir::tempPath().toStdString() + "/" + programLinkName(program);
}

bool socketThere(const std::string& program) {
  struct stat st;
  return lstat(socketFile(program).c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

sockaddr_un socketAddress(const std::string& program) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string path = socketFile(program);
  if (path.size() < sizeof address.sun_path) path.copy(address.sun_path, path.size());
  return address;
}

// What bringRunningCopyForward asks, with all the time a loaded machine may
// need for the answer, so that no request is counted twice: the number of
// requests served, 0 when nothing listens.
int askPatiently(const std::string& program) {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address = socketAddress(program);
  std::string answer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && write(fd, "raise\n", 6) == 6) {
    char c;
    pollfd p{fd, POLLIN, 0};
    while (answer.find('\n') == std::string::npos && poll(&p, 1, 60000) == 1 && read(fd, &c, 1) == 1) answer += c;
  }
  close(fd);
  if (answer.empty()) return 0;
  return answer.compare(0, 7, "raised ") == 0 ? std::atoi(answer.c_str() + 7) : -1;
}

class HelpStart : public ShellTest {
 protected:
  std::string viewer;

  void SetUp() override {
    ShellTest::SetUp();
    viewer = placeViewer(folder.path);
  }

  void TearDown() override {
    for (const std::string& program : placed) {
      for (pid_t pid : runningCopies(program)) kill(pid, SIGCONT), kill(pid, SIGTERM);
      EXPECT_TRUE(waitUntil([&] { return runningCopies(program).empty(); }));
      // SIGTERM leaves them behind, as a crash does.
      unlink(socketFile(program).c_str());
      unlink((socketFile(program) + ".lock").c_str());
    }
    ShellTest::TearDown();
  }

  std::string placeViewer(const std::string& programFolder_) {
    std::string path = programFolder_ + "/zembrik-help";
    EXPECT_TRUE(copyFile(programFolder() + "zembrik-help", path));
    chmod(path.c_str(), 0755);
    placed.push_back(path);
    return path;
  }

  // F1 in the main window, then the one viewer that runs once it listens.
  pid_t pressF1() {
    driverShortcut(MAIN_WINDOW, KEY_F1);
    runSteps();
    EXPECT_TRUE(waitUntil([&] { return runningCopies(viewer).size() == 1 && socketThere(viewer); }));
    std::vector<pid_t> pids = runningCopies(viewer);
    return pids.size() == 1 ? pids[0] : 0;
  }

  std::vector<std::string> placed;
};

TEST_F(HelpStart, SecondF1BringsTheRunningViewerForward) {
  startMainWindow();
  pid_t first = pressF1();
  ASSERT_NE(first, 0);
  driverShortcut(MAIN_WINDOW, KEY_F1);
  runSteps();
  // No second viewer, not even for a moment.
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(runningCopies(viewer), std::vector<pid_t>{first});
    delayMs(10);
  }
  // The second F1 was the running viewer's first request; this is its second.
  EXPECT_EQ(bringRunningCopyForward(viewer), 2);

  // Another program folder has a viewer of its own.
  ASSERT_TRUE(makeFolder(folder.path + "/other"));
  std::string other = placeViewer(folder.path + "/other");
  EXPECT_NE(programLinkName(other), programLinkName(viewer));
  EXPECT_EQ(bringRunningCopyForward(other), 0);
  EXPECT_TRUE(startOrBringForward(other));
  EXPECT_TRUE(waitUntil([&] { return runningCopies(other).size() == 1 && socketThere(other); }));
  EXPECT_EQ(bringRunningCopyForward(other), 1);
  EXPECT_EQ(runningCopies(viewer), std::vector<pid_t>{first});
}

// A viewer that does not answer in time (stopped here) still runs: F1 then
// starts a copy that hands it the request and ends, and the viewer keeps
// its socket, so later F1s reach it.
TEST_F(HelpStart, AViewerSlowToAnswerStaysTheOnlyOne) {
  startMainWindow();
  pid_t slow = pressF1();
  ASSERT_NE(slow, 0);
  ASSERT_EQ(kill(slow, SIGSTOP), 0);
  driverShortcut(MAIN_WINDOW, KEY_F1);
  runSteps();
  // The copy F1 started, seen while it waits for the stopped one, until it ends.
  bool startedOne = false;
  EXPECT_TRUE(waitUntil([&] {
    std::vector<pid_t> running = runningCopies(viewer);
    startedOne = startedOne || running.size() > 1;
    return startedOne && running == std::vector<pid_t>{slow};
  }, 60000)) << runningCopies(viewer).size() << " copies run";
  EXPECT_TRUE(socketThere(viewer));
  ASSERT_EQ(kill(slow, SIGCONT), 0);
  // The stopped viewer served both requests of that F1, the editor's and the
  // copy's, before this one.
  EXPECT_EQ(askPatiently(viewer), 3);
  EXPECT_EQ(runningCopies(viewer), std::vector<pid_t>{slow});
}

// What a crashed viewer leaves (its socket, the file of its lock) does not
// stop the next one, which takes the socket and is reached.
TEST_F(HelpStart, ACrashedViewerDoesNotStopTheNextOne) {
  startMainWindow();
  for (bool killed : {true, false}) {
    SCOPED_TRACE(killed ? "a killed viewer" : "a socket nobody listens at");
    if (killed) {
      pid_t crashed = pressF1();
      ASSERT_NE(crashed, 0);
      kill(crashed, SIGKILL);
      ASSERT_TRUE(waitUntil([&] { return runningCopies(viewer).empty(); }));
    } else {
      int fd = socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address = socketAddress(viewer);
      ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
      close(fd);
      writeFile(socketFile(viewer) + ".lock", "4242\nzembrik-help\n\n");
    }
    ASSERT_TRUE(socketThere(viewer));   // what the crash left
    ASSERT_EQ(fileKind(socketFile(viewer) + ".lock"), FILE_REGULAR);
    pid_t next = pressF1();
    EXPECT_NE(next, 0);
    // Refused by the stale file until the new viewer has replaced it.
    int served = 0;
    EXPECT_TRUE(waitUntil([&] { return (served = askPatiently(viewer)) != 0; }));
    EXPECT_EQ(served, 1);
    kill(next, SIGKILL);
    ASSERT_TRUE(waitUntil([&] { return runningCopies(viewer).empty(); }));
    unlink(socketFile(viewer).c_str());
  }
}

// The name follows the real file: a link to the viewer reaches the same one.
TEST_F(HelpStart, ALinkToTheViewerNamesTheSameSocket) {
  ASSERT_EQ(symlink(viewer.c_str(), (folder.path + "/help-link").c_str()), 0);
  EXPECT_EQ(programLinkName(folder.path + "/help-link"), programLinkName(viewer));
  EXPECT_EQ(programLinkName(viewer).find('/'), std::string::npos);
}

}  // namespace
