#pragma once

#include "support/DarkPalette.h"

#include "support/FakeSyncServer.h"
#include "sync/SyncDevice.h"
#include "sync/SyncSectionState.h"
#include "sync/views/SyncSection.h"

#include <QApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include <memory>

namespace glossivo::testing {

// A sync section over a device of its own and a fake server, in the light or dark palette.
class SyncSectionFixture : public ::testing::Test {
protected:
    ~SyncSectionFixture() override { QApplication::setPalette(m_light); }

    SyncSection& open(bool dark = false)
    {
        QApplication::setPalette(dark ? darkPalette() : m_light);
        section = std::make_unique<SyncSection>(device.config, device.service, device.clock);
        section->resize(520, section->sizeHint().height());
        return *section;
    }

    template <class T> T* child(const char* name) const
    {
        return section->findChild<T*>(QLatin1String(name));
    }

    bool settled()
    {
        return FakeChatServer::waitFor(
            [&] { return !section->state().connecting() && !device.service.busy(); });
    }

    QPalette m_light = QApplication::palette();
    FakeSyncServer server;
    SyncDevice device;
    std::unique_ptr<SyncSection> section;
};

} // namespace glossivo::testing
