#pragma once

#include "model/FormRecord.h"
#include "model/WordEntry.h"

#include <QList>

#include <optional>

namespace glossivo {

// One form of a word as the word book shows it and the cloze question asks for it: the form
// the AI listed, or the one met in reading when there is a record of it.
struct FormSlot {
    FormKind kind = FormKind::base;
    QString form;
    std::optional<FormRecord> record;

    bool operator==(const FormSlot&) const = default;
};

// The listed forms in FormKind order, then the forms met that were not listed, in the order met.
QList<FormSlot> formSlots(const WordEntry& entry);

} // namespace glossivo
