// The help window through the driver: the first topic at start, every
// choice loads its document, the close box ends the program.
#include "help/help_documents.h"
#include "help/help_viewer.h"
#include "ui/driver.h"
#include "ui/program_copies.h"
#include "ui/rtf_reader.h"
#include "ui/system.h"
#include "ui/ui.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/lock_calls.h"

namespace {

// The plain text of topic n as the reader gives it, as the view shows it.
std::string topicText(int n) {
  RtfDocument doc;
  EXPECT_TRUE(parseRtf(helpDocuments[n].bytes, helpDocuments[n].length, doc));
  std::string text = rtfPlainText(doc);
  if (!text.empty()) text.pop_back();
  return text;
}

std::string shown() { return getGadgetText(gadgetByName(0, "text")); }

}  // namespace


TEST(HelpViewer, OpensOnTheFirstTopicAndShowsEachChoice) {
  driverStart();
  driverCall([] {
    EXPECT_EQ(getWindowTitle(HELP_WINDOW), "Zembrik Game Maker - Help");
    EXPECT_EQ(windowWidth(HELP_WINDOW), 850);
    EXPECT_EQ(windowHeight(HELP_WINDOW), 550);
    int list = gadgetByName(HELP_WINDOW, "topics");
    ASSERT_EQ(countGadgetItems(list), HELP_TOPIC_COUNT);
    EXPECT_EQ(getGadgetItemText(list, 0), "Zembrik");
    EXPECT_EQ(getGadgetItemText(list, 13), "Functions & Variables");
    EXPECT_EQ(getGadgetState(list), 0);
    EXPECT_EQ(shown(), topicText(0));
    EXPECT_EQ(gadgetX(HELP_TEXT_VIEW), 165);
    EXPECT_EQ(gadgetWidth(HELP_TEXT_VIEW), 675);
  });
  driverSelectRow("topics", 6);
  driverCall([] { EXPECT_EQ(shown(), topicText(6)); });
  driverDoubleClickRow("topics", 13);
  driverCall([] { EXPECT_EQ(shown(), topicText(13)); });
  driverCloseBox("Zembrik Game Maker - Help");
  EXPECT_EQ(runHelpViewer(), 0);
  EXPECT_TRUE(driverCheckDone());
  EXPECT_FALSE(isWindow(HELP_WINDOW));
}

TEST(HelpViewer, ChoosingTheShownTopicLoadsItAgain) {
  driverStart();
  driverSelectRow("topics", 2);
  // Text put in the view by hand goes when the same topic is chosen again.
  driverCall([] { setGadgetText(HELP_TEXT_VIEW, "changed"); });
  driverSelectRow("topics", 2);
  driverCall([] { EXPECT_EQ(shown(), topicText(2)); });
  driverCloseBox(0);
  runHelpViewer();
}

TEST(HelpViewer, AListEventWithNoSelectionLeavesTheText) {
  driverStart();
  driverSelectRow("topics", 4);
  driverCall([] {
    setGadgetState(HELP_TOPIC_LIST, -1);
    postEvent(EV_GADGET, HELP_WINDOW, HELP_TOPIC_LIST, ET_LEFTCLICK);
  });
  driverCall([] { EXPECT_EQ(shown(), topicText(4)); });
  driverCloseBox(0);
  runHelpViewer();
}

TEST(HelpViewer, TopicsOutOfRangeShowNothing) {
  openWindow(HELP_WINDOW, 0, 0, 850, 550, "help", WIN_TITLEBAR);
  textViewGadget(HELP_TEXT_VIEW, 165, 10, 675, 530);
  ASSERT_TRUE(showHelpTopic(1));
  for (int n : {-1, HELP_TOPIC_COUNT, 1000}) EXPECT_FALSE(showHelpTopic(n)) << n;
  EXPECT_EQ(getGadgetText(HELP_TEXT_VIEW), topicText(1));
  closeWindow(HELP_WINDOW);
}

// The program itself, as the editor's Help command finds it: beside the
// other executables, and running, reached by a second start.
TEST(HelpProgram, StartsFromTheProgramFolder) {
  std::string program = programFolder() + "zembrik-help";
  ASSERT_EQ(access(program.c_str(), X_OK), 0) << program;
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    // The child inherits the test's platform (offscreen unless chosen).
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Running, it answers the request that a second start makes.
  int status = 0, served = 0;
  bool ended = false;
  for (int waited = 0; waited < 60000 && !ended && served == 0; waited += 10) {
    served = bringRunningCopyForward(program);
    ended = waitpid(pid, &status, WNOHANG) == pid;
    if (served == 0) delayMs(10);
  }
  EXPECT_FALSE(ended) << "ended at once with status " << status;
  EXPECT_EQ(served, 1);
  if (!ended) {
    kill(pid, SIGTERM);
    waitpid(pid, &status, 0);
  }
  // Ended by a signal, it leaves its socket and the file of its lock.
  const std::string socket = QDir::tempPath().toStdString() + "/" + programLinkName(program);
  unlink(socket.c_str());
  unlink((socket + ".lock").c_str());
}

// The copy lock lies in the temporary folder that every user shares.
// Another user's file there, locked, is no copy of this user's: the viewer
// runs on its own, as it does where that folder has no locks, instead of
// handing over to nobody and ending.
TEST(HelpProgram, RunsOnItsOwnBesideALockThatIsNotTheUsers) {
  const std::string self = QCoreApplication::applicationFilePath().toStdString();
  const std::string lockPath = QDir::tempPath().toStdString() + "/" + programLinkName(self) + ".lock";
  {
    SCOPED_TRACE("another user's lock file, held");
    if (geteuid() != 0) {
      std::cout << "only root makes a file of another user's: that case is left out\n";
    } else {
      ASSERT_TRUE(writeFile(lockPath, ""));
      ASSERT_EQ(chown(lockPath.c_str(), 65534, 65534), 0);
      int theirs = open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
      ASSERT_EQ(flock(theirs, LOCK_EX | LOCK_NB), 0);
      EXPECT_TRUE(serveAsOnlyCopy(HELP_WINDOW));
      endServing();
      close(theirs);
      unlink(lockPath.c_str());
    }
  }
  {
    SCOPED_TRACE("no locks");
    LockCalls none(lockFailingWith(ENOLCK));
    EXPECT_TRUE(serveAsOnlyCopy(HELP_WINDOW));
    endServing();
    unlink(lockPath.c_str());
  }
}
