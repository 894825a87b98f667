// One running copy of a program for each program folder, through a local
// socket in the temporary folder that only this user may reach. The copy
// that runs holds a lock for its whole life, on a file beside the socket;
// a start that finds it held asks the running copy to come forward in one
// line ("raise") and ends, however long that copy takes to answer ("raised"
// and the number of requests it has served). The editor, which holds no
// lock, takes the answer as the sign that a copy runs, and starts the
// program without one; the program then decides by the lock.
#include "ui/program_copies.h"

#include "ui/system.h"
#include "ui/ui.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

constexpr int CONNECT_MS = 500;
constexpr int ANSWER_MS = 2000;
// How long a start beside a running copy tries to reach it, for a copy that
// has its lock but does not listen yet.
constexpr int HAND_OVER_MS = 10000;
constexpr qint64 LONGEST_LINE = 64;
const QByteArray REQUEST = "raise\n";

QLocalServer* server = nullptr;
int servedWindow = 0;
int requestsServed = 0;
int copyLock = -1;
std::string copyLockPath;

enum CopyLock { COPY_LOCK_TAKEN, COPY_LOCK_HELD, COPY_LOCK_UNUSABLE };

// The kernel's lock on a file of the user's own, let go of however the copy
// ends. In the shared temporary folder another user's file of that name,
// locked, would make every start hand over to nobody and end: only one's
// own counts.
CopyLock takeCopyLock(const std::string& path) {
  int fd = lockFile(path, 0600, true);
  if (fd == LOCK_HELD_ELSEWHERE) return COPY_LOCK_HELD;
  if (fd < 0) return COPY_LOCK_UNUSABLE;
  copyLock = fd;
  copyLockPath = path;
  return COPY_LOCK_TAKEN;
}

void releaseCopyLock() {
  unlockFile(copyLock, copyLockPath);
  copyLock = -1;
}

QString realPath(const std::string& path) {
  QFileInfo info(QString::fromStdString(path));
  QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

void bringServedWindowForward() {
  if (!isWindow(servedWindow)) return;
  if (getWindowState(servedWindow) == WINSTATE_MINIMIZED) setWindowState(servedWindow, WINSTATE_NORMAL);
  activateWindow(servedWindow);
}

void answer(QLocalSocket* socket) {
  if (!socket->canReadLine()) {
    // A line this long is no request of ours.
    if (socket->bytesAvailable() > LONGEST_LINE) socket->disconnectFromServer();
    return;
  }
  if (socket->readLine(LONGEST_LINE + 1) == REQUEST) {
    ++requestsServed;
    bringServedWindowForward();
    socket->write("raised " + QByteArray::number(requestsServed) + "\n");
  }
  socket->disconnectFromServer();   // after what is written has gone out
}

void acceptRequests() {
  while (QLocalSocket* socket = server->nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] { answer(socket); });
    if (socket->bytesAvailable() > 0) answer(socket);
  }
}

}  // namespace

std::string programLinkName(const std::string& program) {
  QByteArray hash = QCryptographicHash::hash(QFile::encodeName(realPath(program)), QCryptographicHash::Sha256);
  return "zembrik-" + std::to_string(getuid()) + "-" + hash.toHex().left(20).toStdString();
}

namespace {

// Asks the copy at the socket `name` to come forward: the number of requests
// it has served, 0 without an answer in time. `delivered` tells whether the
// request reached its socket, where a copy slow to answer finds it later.
int askToComeForward(const QString& name, bool& delivered) {
  delivered = false;
  QLocalSocket socket;
  socket.connectToServer(name);
  // A socket file without a program behind it refuses at once.
  if (!socket.waitForConnected(CONNECT_MS)) return 0;
  socket.write(REQUEST);
  if (!socket.waitForBytesWritten(ANSWER_MS)) return 0;
  delivered = true;
  while (!socket.canReadLine())
    if (!socket.waitForReadyRead(ANSWER_MS)) return 0;
  QByteArray line = socket.readLine(LONGEST_LINE + 1).trimmed();
  if (!line.startsWith("raised ")) return 0;
  return std::max(1, line.mid(7).toInt());
}

// A copy runs, since it holds the lock: the request goes to it, also when it
// does not listen yet. false when the lock came free meanwhile and is now
// this copy's.
bool handOverToRunningCopy(const QString& name, const std::string& lockPath) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(HAND_OVER_MS);
  while (true) {
    bool delivered;
    askToComeForward(name, delivered);
    if (delivered || std::chrono::steady_clock::now() > until) return true;
    if (takeCopyLock(lockPath) == COPY_LOCK_TAKEN) return false;
    delayMs(50);
  }
}

}  // namespace

int bringRunningCopyForward(const std::string& program) {
  bool delivered;
  return askToComeForward(QString::fromStdString(programLinkName(program)), delivered);
}

bool startOrBringForward(const std::string& program) {
  return bringRunningCopyForward(program) > 0 || runDetached(program, {});
}

bool serveAsOnlyCopy(int window) {
  if (server || copyLock >= 0) return true;
  const std::string self = QCoreApplication::applicationFilePath().toStdString();
  const QString name = QString::fromStdString(programLinkName(self));
  const std::string lockPath = QDir::tempPath().toStdString() + "/" + name.toStdString() + ".lock";
  CopyLock lock = takeCopyLock(lockPath);
  if (lock == COPY_LOCK_HELD && handOverToRunningCopy(name, lockPath)) return false;
  if (lock == COPY_LOCK_UNUSABLE) {
    // Without the lock nothing tells a slow copy from a crashed one: this
    // copy runs on its own and leaves the socket to whoever has it.
    return bringRunningCopyForward(self) == 0;
  }
  // One that answers all the same holds no lock: an older version's.
  if (bringRunningCopyForward(self) > 0) {
    releaseCopyLock();
    return false;
  }
  // No copy runs: a socket file there was left by one that crashed.
  QLocalServer::removeServer(name);
  auto* s = new QLocalServer(QCoreApplication::instance());
  s->setSocketOptions(QLocalServer::UserAccessOption);
  if (!s->listen(name)) {
    // Unreachable, this copy would only make later starts wait for it.
    delete s;
    releaseCopyLock();
    return true;
  }
  QObject::connect(s, &QLocalServer::newConnection, s, acceptRequests);
  server = s;
  servedWindow = window;
  return true;
}

void endServing() {
  delete server;   // closing it removes the socket file
  server = nullptr;
  // Only then: the next copy's socket must not be the one removed.
  releaseCopyLock();
}
