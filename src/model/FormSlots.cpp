#include "model/FormSlots.h"

namespace glossivo {

namespace {

std::optional<FormRecord> firstRecord(const QList<FormRecord>& forms, FormKind kind)
{
    for (const FormRecord& record : forms)
        if (record.kind == kind) return record;
    return std::nullopt;
}

} // namespace

QList<FormSlot> formSlots(const WordEntry& entry)
{
    const QMap<QString, QString> inflections = entry.inflections.value_or(QMap<QString, QString>());
    const QList<FormRecord> forms = entry.forms.value_or(QList<FormRecord>());
    QList<FormKind> kinds;
    for (FormKind kind : allCases<FormKind>())
        if (inflections.contains(rawValue(kind))) kinds.append(kind);
    for (const FormRecord& record : forms)
        if (!kinds.contains(record.kind)) kinds.append(record.kind);

    QList<FormSlot> result;
    for (FormKind kind : kinds) {
        const auto record = firstRecord(forms, kind);
        result.append({kind, record ? record->form : inflections.value(rawValue(kind)), record});
    }
    return result;
}

} // namespace glossivo
