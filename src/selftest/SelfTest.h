#pragma once

#include <QString>
#include <QTextStream>

namespace glossivo {

class ConfigStore;

// The command-line self-tests: they drive the real code on fixed samples and write plain-text
// reports, one item per line; checks begin their verdict line with "OK " or "FAIL ".
namespace SelfTest {

// How the configuration reader treats an old file and one with a damaged key name.
void runConfig(QTextStream& out);

// Whether changes of the study values are time-stamped, strictly later each time, and written.
// It changes the configuration for good, so it refuses to run unless GLOSSIVO_DATA_DIR names a
// throw-away data folder.
bool runStudyStamp(QTextStream& out);
// The same check over the given store and the file it writes.
bool checkStudyStamp(ConfigStore& store, const QString& configPath, QTextStream& out);

// The menu-bar word's title, wrapping and highlighting on fixed samples.
void runMenuBar(QTextStream& out);

} // namespace SelfTest
} // namespace glossivo
