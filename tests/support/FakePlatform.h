#pragma once

#include "app/LaunchAtLogin.h"
#include "platform/FrontApplicationSource.h"
#include "platform/PermissionSource.h"
#include "platform/SpeechEngine.h"

#include <QStringList>

namespace glossivo::testing {

class FakePermissionSource final : public PermissionSource {
public:
    explicit FakePermissionSource(Session session = Session::x11) : value(session) {}
    Session session() const override { return value; }
    Session value;
};

class FakeFrontApplication final : public FrontApplicationSource {
public:
    std::optional<FrontApplication> frontmost() const override { return value; }
    std::optional<FrontApplication> value;
};

// Registers as asked, unless told to fail; counts every call.
class FakeLaunchAtLogin final : public LaunchAtLogin {
public:
    bool enabled() const override { return on; }
    void setEnabled(bool wanted) override
    {
        ++calls;
        if (!fails) on = wanted;
    }
    bool on = false;
    bool fails = false;
    int calls = 0;
};

class FakeSpeechEngine final : public SpeechEngine {
public:
    explicit FakeSpeechEngine(QStringList& calls) : m_calls(calls) {}
    void stop() override { m_calls.append(QStringLiteral("stop")); }
    void say(const QString& text) override { m_calls.append(QStringLiteral("say ") + text); }

private:
    QStringList& m_calls;
};

} // namespace glossivo::testing
