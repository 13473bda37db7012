#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace kivo::gui {

// One panel per user: the first one listens on a local socket, a later one only knocks on it,
// which asks the first to come to the front, and then leaves.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceGuard(QString name, QObject* parent = nullptr);

    // The socket name for the user running this process.
    static QString defaultName();

    // True when no other panel runs (this one now answers knocks); false when another one
    // does and has been asked to come to the front.
    bool claim();

Q_SIGNALS:
    void activationRequested();

private:
    void answerKnocks();

    QString name_;
    QLocalServer server_;
};

} // namespace kivo::gui
