#include "model/Explanation.h"

#include "model/Blanks.h"

namespace glossivo {

namespace {

QString looseKey(QString key)
{
    return key.remove(QLatin1Char('_')).toLower();
}

// An affix as the AI writes it ("-Ness", " un-") reduced to the catalogue's stored name.
QString affixName(const QString& text)
{
    const auto stripped = [](QChar c) { return c == QLatin1Char('-') || Blanks::isBlank(c); };
    qsizetype begin = 0, end = text.size();
    while (begin < end && stripped(text.at(begin)))
        ++begin;
    while (end > begin && stripped(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin).toLower();
}

} // namespace

QList<Explanation::FormPair> Explanation::allForms() const
{
    QList<FormPair> forms;
    if (!inflections) return forms;
    for (FormKind kind : allCases<FormKind>()) {
        const QString wanted = rawValue(kind).toLower();
        for (auto it = inflections->begin(); it != inflections->end(); ++it) {
            if (looseKey(it.key()) != wanted) continue;
            const QString form = Blanks::trimmed(it.value());
            if (!form.isEmpty()) forms.append({kind, form});
            break;
        }
    }
    return forms;
}

QList<Affix> Explanation::affixList() const
{
    QList<Affix> list;
    for (const QString& text : affixes.value_or(QStringList()))
        if (const auto affix = fromRawValue<Affix>(affixName(text))) list.append(*affix);
    return list;
}

} // namespace glossivo
