#pragma once

#include "model/MnemonicSource.h"

#include <coroutine>
#include <stdexcept>

namespace glossivo::testing {

// Records each memory-tip request and holds it until the test answers it or lets it fail.
class FakeMnemonicSource final : public MnemonicSource {
public:
    struct Request {
        WordEntry entry;
        QStringList knownWords;
        QStringList interests;
    };

    QCoro::Task<QString> mnemonic(const WordEntry& entry, const QStringList& knownWords,
                                  const QStringList& interests) override
    {
        requests.append({entry, knownWords, interests});
        co_await Pending{this};
        if (!m_tip) throw std::runtime_error("the service failed");
        co_return *m_tip;
    }

    // Resumes the request still waiting with this answer (none: it fails).
    void answer(std::optional<QString> tip)
    {
        m_tip = std::move(tip);
        std::exchange(m_waiting, {}).resume();
    }

    bool isWaiting() const { return bool(m_waiting); }

    QList<Request> requests;

private:
    struct Pending {
        FakeMnemonicSource* source;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> handle) noexcept { source->m_waiting = handle; }
        void await_resume() const noexcept {}
    };

    std::coroutine_handle<> m_waiting;
    std::optional<QString> m_tip;
};

} // namespace glossivo::testing
