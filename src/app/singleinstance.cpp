#include "singleinstance.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QtEndian>

#include <map>

namespace zelmor::app {

namespace {

// A handover: the magic, the file name's length (4 bytes, big-endian), the file name's bytes as
// the file system spells them. The answer: kAck.
const QByteArray kMagic = QByteArrayLiteral("ZELMOR-APRI-1");
const QByteArray kAck = QByteArrayLiteral("ok");
constexpr int kHeader = 13 + 4;
static_assert(kHeader == sizeof("ZELMOR-APRI-1") - 1 + 4);

constexpr int kConnectWait = 1000;  // ms: a listening copy accepts at once
constexpr int kAnswerWait = 5000;   // ms: the running copy may be busy for a moment
constexpr int kLockWait = 5000;     // ms: another copy starting at the same time
constexpr int kClientTime = 3000;   // ms a connection may take to say what it wants
constexpr int kMaxClients = 8;      // connections being read at once; more are closed

}  // namespace

struct SingleInstance::Impl {
    QString folder;
    QString socketPath;
    QLockFile lock;
    QLocalServer server;
    QString problem;
    std::function<void(const QString&)> handler;
    std::map<QLocalSocket*, QByteArray> clients;  // connections being read, with what came

    explicit Impl(const QString& folder_)
        : folder(folder_),
          socketPath(folder_ + QStringLiteral("/zelmor.socket")),
          lock(folder_ + QStringLiteral("/zelmor.lock")) {
        // Held for the copy's whole life: only a dead owner makes it stale, never its age.
        lock.setStaleLockTime(0);
    }

    enum class Handover { NoServer, Done, NoAnswer };
    Handover handOver(const QString& file);
    bool listen();
    void accept();
    void read(QLocalSocket* socket);
    void drop(QLocalSocket* socket);
};

SingleInstance::Impl::Handover SingleInstance::Impl::handOver(const QString& file) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kConnectWait)) {
        // Nothing listens (no socket, or a crashed copy's); a timeout means a copy that hangs.
        return socket.error() == QLocalSocket::SocketTimeoutError ? Handover::NoAnswer
                                                                  : Handover::NoServer;
    }
    const QByteArray name = QFile::encodeName(file);
    QByteArray message = kMagic;
    char length[4];
    qToBigEndian(static_cast<quint32>(name.size()), length);
    message.append(length, 4).append(name);
    socket.write(message);
    QByteArray answer;
    while (answer.size() < kAck.size() && socket.waitForReadyRead(kAnswerWait))
        answer += socket.read(kAck.size() - answer.size());
    return answer == kAck ? Handover::Done : Handover::NoAnswer;
}

bool SingleInstance::Impl::listen() {
    // The lock is ours, so a socket file left there belongs to no running copy.
    QLocalServer::removeServer(socketPath);
    server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server.listen(socketPath)) {
        problem = QStringLiteral("impossibile attendere altre richieste su %1: %2")
                      .arg(socketPath, server.errorString());
        return false;
    }
    QObject::connect(&server, &QLocalServer::newConnection, &server, [this] { accept(); });
    return true;
}

void SingleInstance::Impl::accept() {
    while (QLocalSocket* socket = server.nextPendingConnection()) {
        if (static_cast<int>(clients.size()) >= kMaxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        clients.emplace(socket, QByteArray());
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, &server, [this, socket] { drop(socket); });
        timer->start(kClientTime);
        QObject::connect(socket, &QLocalSocket::readyRead, &server,
                         [this, socket] { read(socket); });
        QObject::connect(socket, &QLocalSocket::disconnected, &server,
                         [this, socket] { drop(socket); });
        read(socket);  // what arrived before the connection was taken
    }
}

void SingleInstance::Impl::read(QLocalSocket* socket) {
    const auto client = clients.find(socket);
    if (client == clients.end()) return;
    QByteArray& data = client->second;
    // Never more than a whole handover, and one byte to tell that it is too long.
    data += socket->read(kHeader + kMaxPath + 1 - data.size());
    const qsizetype magic = std::min(data.size(), kMagic.size());
    if (data.left(magic) != kMagic.left(magic)) return drop(socket);
    if (data.size() < kHeader) return;
    const quint32 length = qFromBigEndian<quint32>(data.constData() + kMagic.size());
    if (length > static_cast<quint32>(kMaxPath)) return drop(socket);
    const qsizetype total = kHeader + static_cast<qsizetype>(length);
    if (data.size() < total) return;
    const QByteArray name = data.mid(kHeader);
    if (data.size() > total || name.contains('\0') || (!name.isEmpty() && !name.startsWith('/'))) {
        return drop(socket);
    }

    const QString file = QFile::decodeName(name);
    clients.erase(client);
    socket->write(kAck);
    socket->flush();
    socket->disconnectFromServer();
    socket->deleteLater();
    // The handler may open dialogs: it runs on its own, not inside this socket's signal.
    QTimer::singleShot(0, &server, [this, file] {
        if (handler) handler(file);
    });
}

void SingleInstance::Impl::drop(QLocalSocket* socket) {
    if (clients.erase(socket) == 0) return;  // already answered or dropped
    socket->disconnect(&server);
    socket->abort();
    socket->deleteLater();
}

SingleInstance::SingleInstance(const QString& folder) : d_(std::make_unique<Impl>(folder)) {}

SingleInstance::~SingleInstance() {
    d_->server.close();  // removes the socket file; the lock goes with d_
}

SingleInstance::Outcome SingleInstance::start(const QString& file) {
    using Handover = Impl::Handover;
    if (d_->folder.isEmpty()) {
        d_->problem = QStringLiteral(
            "nessuna cartella di esecuzione per l'utente: un'altra copia "
            "di Zelmor non saprà di questa");
        return Outcome::Running;
    }
    Handover first = d_->handOver(file);
    if (first == Handover::Done) return Outcome::HandedOver;
    if (first == Handover::NoServer) {
        if (!d_->lock.tryLock(kLockWait)) {
            if (d_->lock.error() != QLockFile::LockFailedError) {
                // The folder refuses the lock: run alone rather than not at all.
                d_->problem = QStringLiteral(
                                  "impossibile creare il file di blocco in %1: un'altra "
                                  "copia di Zelmor non saprà di questa")
                                  .arg(d_->folder);
                return Outcome::Running;
            }
            // Another copy holds the lock: it started with this one, and listens by now.
            first = d_->handOver(file);
            if (first == Handover::Done) return Outcome::HandedOver;
        } else {
            // A copy may have started listening between the first try and the lock.
            first = d_->handOver(file);
            if (first == Handover::Done) {
                d_->lock.unlock();
                return Outcome::HandedOver;
            }
            d_->listen();
            return Outcome::Running;
        }
    }
    d_->problem = QStringLiteral("una copia di Zelmor è già in esecuzione ma non risponde");
    return Outcome::NoAnswer;
}

QString SingleInstance::problem() const {
    return d_->problem;
}

void SingleInstance::setHandler(std::function<void(const QString& file)> handler) {
    d_->handler = std::move(handler);
}

}  // namespace zelmor::app
