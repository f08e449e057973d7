#pragma once

#include "model/Clock.h"
#include "sync/SyncLink.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

namespace glossivo {

class ConfigStore;
class SyncService;

// The sync section of the settings window without its widgets: whether the device is connected
// (decided afresh from the configuration each time), the pasted code, the connect check, and
// the texts of both faces. It keeps no sync logic of its own.
class SyncSectionState : public QObject {
    Q_OBJECT

public:
    // Puts text on the clipboard in place of what was there.
    using Clipboard = std::function<void(const QString&)>;

    // The stores, the clock and the clipboard function must outlive the state.
    SyncSectionState(ConfigStore& config, SyncService& sync, const Clock& clock,
                     Clipboard clipboard, QObject* parent = nullptr);

    // The link of the configuration; none shows the face for connecting.
    std::optional<SyncLink> link() const;

    // The face for connecting.
    const QString& input() const { return m_input; }
    const std::optional<QString>& message() const { return m_message; }
    bool connecting() const { return m_connecting; }
    QString connectLabel() const;
    // Blanks count as input: pressing then explains what a sync code looks like.
    bool connectEnabled() const { return !m_connecting && !m_input.isEmpty(); }

    // The connected face.
    QString serverLine() const;
    QString syncLabel() const;
    bool syncEnabled() const;
    // The status line as of now, and whether it reports a failure.
    QString status() const;
    bool statusIsWarning() const;
    bool showQR() const { return m_showQR; }
    bool copied() const { return m_copied; }
    QString copyLabel() const;
    QString qrLabel() const;

    // Intents.
    void setInput(const QString& text);
    // Parses the input; a code is checked with its server, and stored, followed by a first pass,
    // only when the check passes.
    void connect();
    void syncNow();
    void copyCode();
    void toggleQR();
    // Empties the three stored values and nothing else.
    void disconnect();

    static QString notACodeMessage();

Q_SIGNALS:
    void changed();

private:
    static QCoro::Task<> check(QPointer<SyncSectionState> self, SyncLink link);

    ConfigStore& m_config;
    SyncService& m_sync;
    const Clock& m_clock;
    Clipboard m_clipboard;

    QString m_input;
    std::optional<QString> m_message;
    bool m_connecting = false;
    bool m_showQR = false;
    bool m_copied = false;
};

} // namespace glossivo
