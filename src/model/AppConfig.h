#pragma once

#include "model/ModifierKey.h"
#include "model/StudySettings.h"

#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace glossivo {

// The whole user configuration ("config.json").
struct AppConfig {
    QString apiKey;
    QString baseURL = QStringLiteral("https://api.deepseek.com");
    QString model = QStringLiteral("deepseek-chat");
    bool autoPopupOnSelect = true;
    bool dwellLookup = true;
    double dwellSeconds = 1.0;
    bool optionHoverOCR = true;
    ModifierKey hoverKey = ModifierKey::option;
    // A tap of Super opens the overview or the launcher on GNOME and KDE, so a double tap of it
    // cannot be ours.
    ModifierKey regionKey = ModifierKey::control;
    bool optionRegionTranslate = true;
    int learningSlots = 30;
    int dailyNewLimit = 8;
    int sessionSize = 15;
    int graduateDays = 30;
    int leechThreshold = 4;
    int dormantDays = 30;
    bool recallOnLookup = true;
    bool menuBarWord = true;
    // Window classes of the applications in which no lookup fires: file managers, terminals,
    // code editors and password managers.
    QStringList excludedBundleIDs = defaultExcludedBundleIDs();
    QString syncServer;
    QString syncToken;
    QString syncPin;
    QString studySettingsAt; // ISO-8601 time of the last study change; empty means never

    static QStringList defaultExcludedBundleIDs();

    // Every key is optional, so files of older builds read; a present value of the wrong type
    // fails the whole decoding, except for the two keys, which fall back on their own.
    static AppConfig fromJson(const QJsonObject& object);
    QJsonObject toJson() const;

    // The seven study values with changedAt parsed from studySettingsAt; none when that does not
    // parse as a whole-second internet date-time.
    std::optional<StudySettings> studySettings() const;
    bool sameStudyValues(const AppConfig& other) const;
    // A copy with the seven study values taken from the given settings.
    AppConfig withStudyValues(const StudySettings& settings) const;

    bool operator==(const AppConfig&) const = default;
};

} // namespace glossivo
