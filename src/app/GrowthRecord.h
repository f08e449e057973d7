#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace glossivo {

// The optional growth record: an outside script in a folder beside the data folder writes an
// HTML page, which is then opened. The program only runs the script and shows the page.
class GrowthRecord : public QObject {
    Q_OBJECT

public:
    using Opener = std::function<void(const QUrl& page)>;
    // Tells the user that the page is missing: a message and a line of advice.
    using Alert = std::function<void(const QString& message, const QString& advice)>;

    GrowthRecord(QString supportDir, Opener open, Alert alert, QObject* parent = nullptr);

    // The sibling of the data folder: "/tmp/a/data" gives "/tmp/a/Glossivo 成长档案".
    static QString folderFor(const QString& supportDir);

    QString folder() const { return m_folder; }
    QString script() const;
    QString page() const;
    // The script is there, so the status menu offers the record.
    bool installed() const;
    // Runs the script without blocking (several runs may overlap), then opens the page when
    // there is one, or alerts. A missing or failing script is not reported.
    void show();

    void setInterpreter(const QString& path) { m_interpreter = path; }

private:
    void showPage();

    QString m_folder;
    Opener m_open;
    Alert m_alert;
    QString m_interpreter = QStringLiteral("/usr/bin/python3");
};

} // namespace glossivo
