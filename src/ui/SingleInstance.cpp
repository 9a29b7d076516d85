#include "ui/SingleInstance.h"

#include "core/common/UserText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr qint64 kMaxRequest = 64 * 1024;
const QByteArray kOpen = QByteArrayLiteral("open");
const QByteArray kOk = QByteArrayLiteral("ok\n");

} // namespace

SingleInstance::SingleInstance(const AppPaths &paths, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_lock(paths.lockFile)
    , m_socket(socketFor(paths.lockFile))
{
}

QString SingleInstance::socketFor(const QString &lockFile)
{
    const QByteArray id = QCryptographicHash::hash(QFileInfo(lockFile).absoluteFilePath().toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(16);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
        .filePath(QStringLiteral("velmora-%1.socket").arg(QString::fromLatin1(id)));
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Start SingleInstance::start(const QString &mapPath, int answerTimeoutMs)
{
    const InstanceLock::Result lock = m_lock.tryAcquire();
    switch (lock.state) {
    case InstanceLock::State::Acquired:
        listen();
        return Start::First;
    case InstanceLock::State::Unavailable:
        // Without a lock the program still runs; the user hears why a second copy could.
        m_message = tr("The lock file \"%1\" cannot be taken: %2. Velmora runs anyway, but "
                       "cannot tell whether another copy of it is running.")
                        .arg(shownPath(m_paths.lockFile), lock.reason);
        listen();
        return Start::First;
    case InstanceLock::State::HeldByOther:
        break;
    }
    if (handOver(mapPath, answerTimeoutMs))
        return Start::HandedOver;
    m_message = tr("Velmora is already running (process %1) and did not answer. Close it, or "
                   "end that process, and start Velmora again. Its lock file is \"%2\".")
                    .arg(lock.ownerPid)
                    .arg(shownPath(m_paths.lockFile));
    return Start::Blocked;
}

bool SingleInstance::handOver(const QString &mapPath, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_socket);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray line = kOpen;
    if (!mapPath.isEmpty())
        line += ' ' + QFileInfo(mapPath).absoluteFilePath().toUtf8();
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray answer;
    while (answer.size() < kOk.size() && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer.startsWith(kOk);
}

void SingleInstance::listen()
{
    // The lock is ours: a socket file left at this path belongs to an ended run.
    QLocalServer::removeServer(m_socket);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socket)) {
        // Later starts then cannot hand over and say so themselves; this one runs normally.
        qWarning("velmora: cannot listen on %s: %s", qPrintable(m_socket),
                 qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
            readRequest(socket);
        }
    });
}

void SingleInstance::readRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest)
            socket->abort();
        return;
    }
    QByteArray line = socket->readLine(kMaxRequest + 1);
    if (!line.endsWith('\n')) {
        socket->abort();
        return;
    }
    line.chop(1);
    if (line != kOpen && !line.startsWith(kOpen + ' ')) {
        socket->abort();
        return;
    }
    socket->write(kOk);
    socket->flush();
    socket->disconnectFromServer();
    emit requested(QString::fromUtf8(line.mid(kOpen.size() + 1)));
}
