// One running copy of a program for each program folder, through a local
// socket in the temporary folder that only this user may reach. A start asks
// the running copy to come forward in one line ("raise") and takes its answer
// ("raised" and the number of requests it has served) as the sign that it
// runs; without an answer the program is started.
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
#include <QLockFile>

#include <unistd.h>

#include <algorithm>

namespace {

constexpr int CONNECT_MS = 500;
constexpr int ANSWER_MS = 2000;
constexpr qint64 LONGEST_LINE = 64;
const QByteArray REQUEST = "raise\n";

QLocalServer* server = nullptr;
int servedWindow = 0;
int requestsServed = 0;

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

int bringRunningCopyForward(const std::string& program) {
  QLocalSocket socket;
  socket.connectToServer(QString::fromStdString(programLinkName(program)));
  // A socket file without a program behind it refuses at once.
  if (!socket.waitForConnected(CONNECT_MS)) return 0;
  socket.write(REQUEST);
  if (!socket.waitForBytesWritten(ANSWER_MS)) return 0;
  while (!socket.canReadLine())
    if (!socket.waitForReadyRead(ANSWER_MS)) return 0;
  QByteArray line = socket.readLine(LONGEST_LINE + 1).trimmed();
  if (!line.startsWith("raised ")) return 0;
  return std::max(1, line.mid(7).toInt());
}

bool startOrBringForward(const std::string& program) {
  return bringRunningCopyForward(program) > 0 || runDetached(program, {});
}

bool serveAsOnlyCopy(int window) {
  if (server) return true;
  const std::string self = QCoreApplication::applicationFilePath().toStdString();
  const QString name = QString::fromStdString(programLinkName(self));
  // Two copies started at once look and take the socket one after the
  // other. A lock that cannot be had in time is gone without.
  QLockFile lock(QDir::tempPath() + "/" + name + ".lock");
  lock.tryLock(CONNECT_MS + ANSWER_MS);
  if (bringRunningCopyForward(self) > 0) return false;
  // Nobody answered: a socket file there is left from a copy that crashed.
  QLocalServer::removeServer(name);
  auto* s = new QLocalServer(QCoreApplication::instance());
  s->setSocketOptions(QLocalServer::UserAccessOption);
  if (!s->listen(name)) {
    delete s;
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
}
