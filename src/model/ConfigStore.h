#pragma once

#include "model/AppConfig.h"
#include "model/Clock.h"
#include "model/DocumentFile.h"

#include <QObject>

#include <optional>

namespace glossivo {

// Owns the configuration: loads "config.json" once, writes it (owner-only) on every change,
// and time-stamps local changes of the study values so that the newest edit wins a merge.
class ConfigStore : public QObject {
    Q_OBJECT

public:
    ConfigStore(const QString& configPath, const Clock& clock, QObject* parent = nullptr);

    // The process's store over the data folder's "config.json".
    static ConfigStore& shared();

    const AppConfig& config() const { return m_config; }
    // Why the last write of "config.json" failed; none once a write succeeded. The
    // configuration in memory stays the truth, and every change writes it whole again.
    const std::optional<QString>& writeError() const { return m_writeError; }
    // Replaces the whole configuration; returns once it is written.
    void setConfig(const AppConfig& config);
    // Takes over study settings that came from another device: written, but neither stamped
    // nor announced as a local change.
    void applySync(const StudySettings& settings);

Q_SIGNALS:
    void configChanged();
    // A local study change was stamped: the sync service runs a pass this many seconds later.
    void syncRequested(double afterSeconds);
    // The configuration could not be written: once, until a later write succeeds.
    void writeFailed(const QString& document, const QString& error);
    void writeRecovered(const QString& document);

private:
    void handleChange(const AppConfig& previous);
    QString stampAfter(const AppConfig& previous) const;
    void save();

    DocumentFile m_file;
    const Clock& m_clock;
    AppConfig m_config;
    bool m_applyingSync = false;
    std::optional<QString> m_writeError;
};

} // namespace glossivo
