// Writes a coach.json into a data folder holding one day whose one coach message has the given
// size (MB of UTF-8), dated today or yesterday in local time, as the program writes it:
//   make-coach-history <folder> <megabytes> today|yesterday
#include "coach/CoachDay.h"
#include "model/AppPaths.h"
#include "model/DocumentFile.h"
#include "support/CoachAnswer.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    bool counted = false;
    const int megabytes = arguments.value(2).toInt(&counted);
    const QString when = arguments.value(3);
    if (arguments.size() != 4 || !counted || megabytes < 0 ||
        (when != QLatin1String("today") && when != QLatin1String("yesterday"))) {
        std::fprintf(stderr, "usage: make-coach-history <folder> <megabytes> today|yesterday\n");
        return 2;
    }
    QDir().mkpath(arguments[1]);
    const glossivo::AppPaths paths(arguments[1]);
    const QDate day = QDate::currentDate().addDays(when == QLatin1String("today") ? 0 : -1);
    const glossivo::CoachMessage message = glossivo::CoachMessage::make(
        true, glossivo::bench::coachAnswer(qsizetype(megabytes) << 20));
    const glossivo::CoachDay stored{day.toString(Qt::ISODate), {message}};
    glossivo::DocumentFile file(paths.coach());
    if (!file.write(QJsonDocument(QJsonArray{stored.toJson()}).toJson(QJsonDocument::Indented))) {
        std::fprintf(stderr, "make-coach-history: %s\n", qPrintable(file.lastError()));
        return 1;
    }
    return 0;
}
