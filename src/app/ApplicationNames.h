#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace glossivo {

// The names users know applications by, read from the desktop entries that describe them.
// An application is known here by its window class, which is also how the exclusion list
// stores it: its entry is the one named after the class, else the one whose StartupWMClass is
// the class.
class ApplicationNames {
public:
    // The folders that hold desktop entries ("…/applications"), most important first.
    explicit ApplicationNames(QStringList folders);
    // The standard folders of this user and system.
    static ApplicationNames standard();

    // The entry's name in Chinese when it has one, else its plain name, with every ".app"
    // removed; empty when no entry is found for the window class.
    QString displayName(const QString& id) const;

private:
    QString entryPath(const QString& id) const;
    // Entries by their StartupWMClass in lower case.
    const QHash<QString, QString>& windowClasses() const;

    QStringList m_folders;
    mutable std::optional<QHash<QString, QString>> m_windowClasses;
};

} // namespace glossivo
