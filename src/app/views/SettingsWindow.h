#pragma once

#include "model/AppConfig.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace glossivo {

class SettingsState;
class WordStore;

// "Glossivo 设置": one form of groups whose every control writes its configuration key at once.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        std::function<QString(const QString& id)> applicationName; // empty when unknown
        std::function<void()> relaunch;
        // Openers of the add-word and word-book windows; their buttons show only when given.
        std::function<void()> showAddWord;
        std::function<void()> showWords;
        QString version;
        QString dataFolder; // where config.json lies
    };

    SettingsWindow(SettingsState& state, const WordStore& words, Actions actions,
                   QWidget* parent = nullptr);

    // Places a group contributed by another part of the program where the sync group goes:
    // after the word-book group, before the excluded applications.
    void addSection(QWidget* section);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* permissionsGroup();
    QWidget* keyGroup();
    QWidget* startGroup();
    QWidget* lookupGroup();
    QWidget* reviewGroup();
    QWidget* wordBookGroup();
    QWidget* excludedGroup();
    QWidget* stepperRow(const QString& objectName, const QString& format, int AppConfig::*field,
                        int minimum, int maximum, int step);

    void refresh();
    void refreshPermissions();
    void refreshTest();
    void refreshExcluded();

    SettingsState& m_state;
    const WordStore& m_words;
    Actions m_actions;

    QVBoxLayout* m_form = nullptr;
    int m_sectionIndex = 0;

    QWidget* m_accessibilityRow = nullptr;
    QWidget* m_screenRow = nullptr;
    QWidget* m_restartRow = nullptr;
    QLineEdit* m_apiKey = nullptr;
    QLineEdit* m_baseURL = nullptr;
    QLineEdit* m_model = nullptr;
    QPushButton* m_testButton = nullptr;
    QLabel* m_testSymbol = nullptr;
    QLabel* m_testStatus = nullptr;
    QCheckBox* m_launchAtLogin = nullptr;
    QCheckBox* m_dwell = nullptr;
    QWidget* m_dwellRow = nullptr;
    QSlider* m_dwellSlider = nullptr;
    QLabel* m_dwellValue = nullptr;
    QWidget* m_dwellHelp = nullptr;
    QCheckBox* m_autoPopup = nullptr;
    QCheckBox* m_hover = nullptr;
    QWidget* m_hoverKeyRow = nullptr;
    QComboBox* m_hoverKey = nullptr;
    QCheckBox* m_region = nullptr;
    QWidget* m_regionKeyRow = nullptr;
    QComboBox* m_regionKey = nullptr;
    QWidget* m_sameKeyWarning = nullptr;
    QList<std::function<void()>> m_stepperRefreshers;
    QCheckBox* m_recall = nullptr;
    QLabel* m_wordCount = nullptr;
    QVBoxLayout* m_excludedRows = nullptr;
};

} // namespace glossivo
