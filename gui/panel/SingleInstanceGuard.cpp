#include "gui/panel/SingleInstanceGuard.h"

#include <QLocalSocket>

namespace kivo::gui {
namespace {

constexpr int knockTimeoutMs = 1000;

} // namespace

SingleInstanceGuard::SingleInstanceGuard(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name))
{
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::answerKnocks);
}

QString SingleInstanceGuard::defaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME", QStringLiteral("unknown"));
    return QStringLiteral("kivo-panel-") + user;
}

bool SingleInstanceGuard::claim()
{
    QLocalSocket knock;
    knock.connectToServer(name_);
    if (knock.waitForConnected(knockTimeoutMs)) {
        knock.disconnectFromServer();
        return false;
    }
    // Nobody answered: a socket left behind by a panel that crashed must not lock us out.
    QLocalServer::removeServer(name_);
    // A panel that cannot listen still runs; it just cannot be found by the next one.
    if (!server_.listen(name_))
        qWarning("kivo: cannot listen on %s: %s", qPrintable(name_),
                 qPrintable(server_.errorString()));
    return true;
}

void SingleInstanceGuard::answerKnocks()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // The connection itself is the request; nothing is read from it.
        socket->close();
        socket->deleteLater();
        Q_EMIT activationRequested();
    }
}

} // namespace kivo::gui
