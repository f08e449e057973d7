#pragma once

#include "app/LaunchAtLogin.h"
#include "model/AppConfig.h"
#include "platform/PermissionSource.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

namespace glossivo {

class ConfigStore;

// The settings window without its widgets: the permission states (refreshed once a second
// while the window shows), launch at login, the API test and the texts that depend on the
// configuration. Every control writes its key through edit() at once; there is nothing to
// save or cancel.
class SettingsState : public QObject {
    Q_OBJECT

public:
    // Shows a message with a line of advice.
    using Advise = std::function<void(const QString& message, const QString& advice)>;

    struct ExcludedRow {
        QString id;
        QString name; // the id itself when the application is not known
        bool operator==(const ExcludedRow&) const = default;
    };

    SettingsState(ConfigStore& config, const PermissionSource& permissions,
                  LaunchAtLogin& launchAtLogin, Advise advise, QObject* parent = nullptr);

    ConfigStore& config() const { return m_config; }
    // Reads the configuration whole, changes it and assigns it back.
    void edit(const std::function<void(AppConfig&)>& change);

    bool accessibility() const { return m_accessibility; }
    bool screen() const { return m_screen; }
    bool screenRequested() const { return m_screenRequested; }
    // The restart row shows from the screen request until the permission is present.
    bool restartShown() const { return m_screenRequested && !m_screen; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    const QString& testStatus() const { return m_testStatus; }
    const std::optional<bool>& testOK() const { return m_testOK; }
    bool testing() const { return m_testing; }
    // The key is taken as stored: a key of blanks can be tested (and fails without a request).
    bool canTest() const;

    // The refresh runs only while somebody looks, so a hidden window costs no wake-ups.
    void setRefreshing(bool on);
    void refresh();

    // The permission rows: their detail under the title, and what the request tells the user
    // to do on this desktop.
    QString accessibilityDetail() const;
    QString screenDetail() const;
    void requestAccessibility();
    void requestScreen();

    void setLaunchAtLogin(bool on);
    // Explains one word through the AI service with the key, address and model as they stand
    // at the press. Never cancelled; a second test cannot start while one runs.
    void test();

    QList<ExcludedRow> excludedRows(const std::function<QString(const QString&)>& namer) const;
    // Removes every copy of the application from the list.
    void removeExcluded(const QString& id);

    // Where the API key is kept, the home folder written "~".
    static QString keyLocationText(const QString& dataFolder);
    static QString dwellText(double seconds);
    // One press of a stepper: the value moved by the step and kept inside the range.
    static int stepped(int value, int step, int minimum, int maximum);
    static QString versionText(const QString& shortVersion, const QString& build);
    static bool sameKeyWarning(const AppConfig& config);

Q_SIGNALS:
    // Any of the states above changed.
    void changed();

private:
    static QCoro::Task<> runTest(QPointer<SettingsState> state, AppConfig config);
    void finishTest(bool ok, const QString& status);
    void adviseSession();

    ConfigStore& m_config;
    const PermissionSource& m_permissions;
    LaunchAtLogin& m_launch;
    Advise m_advise;
    QTimer m_timer;
    bool m_accessibility = false;
    bool m_screen = false;
    bool m_screenRequested = false;
    bool m_launchAtLogin = false;
    QString m_testStatus;
    std::optional<bool> m_testOK;
    bool m_testing = false;
};

} // namespace glossivo
