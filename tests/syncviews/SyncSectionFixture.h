#pragma once

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

    static QPalette darkPalette()
    {
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2d));
        palette.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xea));
        palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x20));
        palette.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x36));
        palette.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xea));
        palette.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0xa0));
        palette.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
        palette.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xea));
        palette.setColor(QPalette::Highlight, QColor(0x2f, 0x6f, 0xd6));
        palette.setColor(QPalette::HighlightedText, Qt::white);
        palette.setColor(QPalette::Light, QColor(0x4a, 0x4a, 0x4e));
        palette.setColor(QPalette::Mid, QColor(0x24, 0x24, 0x26));
        palette.setColor(QPalette::Dark, QColor(0x18, 0x18, 0x1a));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x74));
        palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x74));
        return palette;
    }

    QPalette m_light = QApplication::palette();
    FakeSyncServer server;
    SyncDevice device;
    std::unique_ptr<SyncSection> section;
};

} // namespace glossivo::testing
