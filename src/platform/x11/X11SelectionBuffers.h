#pragma once

#include "input/KeptSelection.h"
#include "input/SelectionBuffers.h"
#include "platform/x11/X11Connection.h"

#include <chrono>

namespace glossivo {

// PRIMARY and CLIPBOARD on a connection of our own: owner changes followed through XFixes
// notifications, PRIMARY converted to text with a bounded wait, Ctrl+C synthesized with XTest.
class X11SelectionBuffers : public QObject, public SelectionBuffers {
    Q_OBJECT

public:
    explicit X11SelectionBuffers(QObject* parent = nullptr);
    ~X11SelectionBuffers() override;

    bool isAvailable() const { return m_connection.isOpen() && m_fixes; }

    void notePress() override;
    bool primaryChangedSince(qint64 serverTimeMs) override;
    quint64 clipboardChanges() const override;
    std::optional<QString> primaryText() override;
    std::optional<QString> clipboardText() override;
    bool postCopy() override;

    // How long an owner may take to hand over the PRIMARY text before it counts as silent.
    void setConversionTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

private:
    void handle(XEvent& event);
    bool keptButChanged();
    std::optional<QString> convert(unsigned long selection);
    std::optional<QString> waitForConversion(unsigned long property);
    std::optional<QString> takeText(unsigned long window, unsigned long property);

    X11Connection m_connection;
    bool m_fixes = false;
    int m_fixesEventBase = 0;
    unsigned long m_window = 0;
    // Receives the answers to notePress(), which nobody waits for.
    unsigned long m_pressWindow = 0;
    unsigned long m_property = 0;
    unsigned long m_primary = 0;
    unsigned long m_clipboard = 0;
    std::optional<quint32> m_primaryChangedAt;
    HeldSelection m_atPress;
    HeldSelection m_lastRead;
    quint64 m_clipboardChanges = 0;
    std::chrono::milliseconds m_timeout{250};
};

} // namespace glossivo
