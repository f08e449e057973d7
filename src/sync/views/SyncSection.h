#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace glossivo {

class Clock;
class ConfigStore;
class SyncSectionState;
class SyncService;

// The section "同步" of the settings window. It shows the face for pasting a sync code, or, once
// the configuration holds one, the server with its status, the code to hand on to another
// device (copied or as a QR code) and the way to disconnect. All decisions are the state's.
class SyncSection : public QWidget {
    Q_OBJECT

public:
    // Over the process's configuration and sync service.
    explicit SyncSection(QWidget* parent = nullptr);
    SyncSection(ConfigStore& config, SyncService& sync, const Clock& clock,
                QWidget* parent = nullptr);

    SyncSectionState& state() { return *m_state; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void build();
    QWidget* buildConnectFace();
    QWidget* buildConnectedFace();
    QWidget* buildHandOn();
    void refresh();
    void applyColours();
    void showQR();
    QLabel* secondary(QLabel* label);

    SyncSectionState* m_state;
    QList<QLabel*> m_secondary; // text in the quiet colour

    QWidget* m_connectFace = nullptr;
    QLineEdit* m_codeField = nullptr;
    QPushButton* m_connectButton = nullptr;
    QLabel* m_message = nullptr;

    QWidget* m_connectedFace = nullptr;
    QLabel* m_check = nullptr;
    QLabel* m_server = nullptr;
    QPushButton* m_syncButton = nullptr;
    QLabel* m_status = nullptr;
    QToolButton* m_fold = nullptr;
    QWidget* m_handOn = nullptr;
    QPushButton* m_copyButton = nullptr;
    QPushButton* m_qrButton = nullptr;
    QLabel* m_qr = nullptr;
};

} // namespace glossivo
