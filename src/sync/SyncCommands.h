#pragma once

#include <QCoro/QCoroTask>
#include <QString>
#include <QTextStream>

namespace glossivo {

class ConfigStore;
class SyncService;
class WordStore;

// The command-line sync modes. Each writes its outcome line(s) to `out` and gives the exit
// status.
namespace SyncCommands {

// One pass with the stored sync code: "同步好了：N 个词", or "同步失败：" with the sentence and, on
// the next line, the technical detail.
QCoro::Task<int> syncNow(SyncService& service, const WordStore& store, QTextStream& out);

// Checks the server of a sync code and stores the code only when the check passes; runs no
// pass. Fails when the code could not be written to config.json.
QCoro::Task<int> connect(QString code, ConfigStore& config, QTextStream& out);

} // namespace SyncCommands
} // namespace glossivo
