#include "model/AppConfig.h"

#include "model/IsoDate.h"
#include "model/JsonFields.h"

namespace glossivo {

namespace {

template <class T> void readInto(T& field, const std::optional<T>& value)
{
    if (value) field = *value;
}

// The two keys never fail the decoding: anything but a known name gives the default.
ModifierKey lenientKey(const QJsonObject& object, const char* key, ModifierKey fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isString()) return fallback;
    return fromRawValue<ModifierKey>(value.toString()).value_or(fallback);
}

} // namespace

QStringList AppConfig::defaultExcludedBundleIDs()
{
    return {QStringLiteral("org.gnome.Nautilus"),
            QStringLiteral("Gnome-terminal"),
            QStringLiteral("konsole"),
            QStringLiteral("org.gnome.Builder"),
            QStringLiteral("Code"),
            QStringLiteral("Seahorse"),
            QStringLiteral("KeePassXC"),
            QStringLiteral("1Password"),
            QStringLiteral("Bitwarden")};
}

AppConfig AppConfig::fromJson(const QJsonObject& o)
{
    AppConfig c;
    readInto(c.apiKey, Json::optionalString(o, "apiKey"));
    readInto(c.baseURL, Json::optionalString(o, "baseURL"));
    readInto(c.model, Json::optionalString(o, "model"));
    readInto(c.autoPopupOnSelect, Json::optionalBoolean(o, "autoPopupOnSelect"));
    readInto(c.dwellLookup, Json::optionalBoolean(o, "dwellLookup"));
    readInto(c.dwellSeconds, Json::optionalNumber(o, "dwellSeconds"));
    readInto(c.optionHoverOCR, Json::optionalBoolean(o, "optionHoverOCR"));
    c.hoverKey = lenientKey(o, "hoverKey", c.hoverKey);
    c.regionKey = lenientKey(o, "regionKey", c.regionKey);
    readInto(c.optionRegionTranslate, Json::optionalBoolean(o, "optionRegionTranslate"));
    readInto(c.learningSlots, Json::optionalInteger(o, "learningSlots"));
    readInto(c.dailyNewLimit, Json::optionalInteger(o, "dailyNewLimit"));
    readInto(c.sessionSize, Json::optionalInteger(o, "sessionSize"));
    readInto(c.graduateDays, Json::optionalInteger(o, "graduateDays"));
    readInto(c.leechThreshold, Json::optionalInteger(o, "leechThreshold"));
    readInto(c.dormantDays, Json::optionalInteger(o, "dormantDays"));
    readInto(c.recallOnLookup, Json::optionalBoolean(o, "recallOnLookup"));
    readInto(c.menuBarWord, Json::optionalBoolean(o, "menuBarWord"));
    if (auto ids = Json::optionalArray(o, "excludedBundleIDs"))
        c.excludedBundleIDs = Json::stringList(*ids, "excludedBundleIDs");
    readInto(c.syncServer, Json::optionalString(o, "syncServer"));
    readInto(c.syncToken, Json::optionalString(o, "syncToken"));
    readInto(c.syncPin, Json::optionalString(o, "syncPin"));
    readInto(c.studySettingsAt, Json::optionalString(o, "studySettingsAt"));
    return c;
}

QJsonObject AppConfig::toJson() const
{
    QJsonObject o{{QStringLiteral("apiKey"), apiKey},
                  {QStringLiteral("baseURL"), baseURL},
                  {QStringLiteral("model"), model},
                  {QStringLiteral("autoPopupOnSelect"), autoPopupOnSelect},
                  {QStringLiteral("dwellLookup"), dwellLookup},
                  {QStringLiteral("optionHoverOCR"), optionHoverOCR},
                  {QStringLiteral("hoverKey"), rawValue(hoverKey)},
                  {QStringLiteral("regionKey"), rawValue(regionKey)},
                  {QStringLiteral("optionRegionTranslate"), optionRegionTranslate},
                  {QStringLiteral("learningSlots"), learningSlots},
                  {QStringLiteral("dailyNewLimit"), dailyNewLimit},
                  {QStringLiteral("sessionSize"), sessionSize},
                  {QStringLiteral("graduateDays"), graduateDays},
                  {QStringLiteral("leechThreshold"), leechThreshold},
                  {QStringLiteral("dormantDays"), dormantDays},
                  {QStringLiteral("recallOnLookup"), recallOnLookup},
                  {QStringLiteral("menuBarWord"), menuBarWord},
                  {QStringLiteral("excludedBundleIDs"), Json::toArray(excludedBundleIDs)},
                  {QStringLiteral("syncServer"), syncServer},
                  {QStringLiteral("syncToken"), syncToken},
                  {QStringLiteral("syncPin"), syncPin},
                  {QStringLiteral("studySettingsAt"), studySettingsAt}};
    Json::putNumber(o, "dwellSeconds", dwellSeconds);
    return o;
}

std::optional<StudySettings> AppConfig::studySettings() const
{
    const auto changedAt = IsoDate::parse(studySettingsAt);
    if (!changedAt) return std::nullopt;
    return StudySettings{learningSlots,  dailyNewLimit, sessionSize,    graduateDays,
                         leechThreshold, dormantDays,   recallOnLookup, *changedAt};
}

bool AppConfig::sameStudyValues(const AppConfig& other) const
{
    return learningSlots == other.learningSlots && dailyNewLimit == other.dailyNewLimit &&
           sessionSize == other.sessionSize && graduateDays == other.graduateDays &&
           leechThreshold == other.leechThreshold && dormantDays == other.dormantDays &&
           recallOnLookup == other.recallOnLookup;
}

AppConfig AppConfig::withStudyValues(const StudySettings& settings) const
{
    AppConfig copy = *this;
    copy.learningSlots = settings.learningSlots;
    copy.dailyNewLimit = settings.dailyNewLimit;
    copy.sessionSize = settings.sessionSize;
    copy.graduateDays = settings.graduateDays;
    copy.leechThreshold = settings.leechThreshold;
    copy.dormantDays = settings.dormantDays;
    copy.recallOnLookup = settings.recallOnLookup;
    return copy;
}

} // namespace glossivo
