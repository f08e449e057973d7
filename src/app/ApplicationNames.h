#pragma once

#include <QString>
#include <QStringList>

namespace glossivo {

// The names users know applications by, read from the desktop entries that describe them.
// An application is known here by its window class, which is also how the exclusion list
// stores it.
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

    QStringList m_folders;
};

} // namespace glossivo
