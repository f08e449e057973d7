#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace glossivo {

// One running application per user and data folder. The first start listens on a local
// socket; a later start hands the first one a request to reopen and steps aside.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The channel's name: the same for every start of this user over this data folder.
    static QString channelName(const QString& supportDir);

    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first start, which then listens; false when another start is
    // running and has been asked to reopen.
    bool claim();
    // Stops listening, so that a new start becomes the first one (before a relaunch).
    void release();

Q_SIGNALS:
    // A later start asked the running application to come to the front.
    void reopenRequested();

private:
    bool askRunning() const;
    void accept();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace glossivo
