#pragma once

#include "model/WordEntry.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace glossivo {

// The system prompts are the JSON contract with the AI service: their key names are the reply
// keys the decoders read, their allowed values the vocabulary the word book parses. The user
// messages are laid out and cut to the lengths the service is given.
namespace AIPrompts {

// Both embed the affix catalogue; built once.
const QString& explainPrompt();
const QString& lookupPrompt();
const QString& translationPrompt();
const QString& mnemonicPrompt();

QString explainMessage(const QString& selection, const std::optional<QString>& context);
QString lookupMessage(const QString& query);
QString translationMessage(const QString& passage);
QString mnemonicMessage(const WordEntry& entry, const QStringList& knownWords,
                        const QStringList& interests);

} // namespace AIPrompts
} // namespace glossivo
