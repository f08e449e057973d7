#include "RandomEdits.h"
#include "SyncDevice.h"

#include "model/DayKey.h"
#include "support/FakeSyncServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <numeric>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// Word books of separate data folders edited at random and synced through the fake server in
// random order; after two rounds in which every device syncs, all hold the server's document.
void simulate(unsigned seed, int deviceCount, int steps, FakeSyncServer& server)
{
    std::deque<SyncDevice> devices(deviceCount);
    for (SyncDevice& device : devices)
        device.connect(server.link());
    RandomEdits edits(seed);
    for (int step = 0; step < steps; ++step) {
        const int index = edits.pick(deviceCount);
        SyncDevice& device = devices[index];
        if (edits.pick(10) < 7) {
            SyncBundle bundle = device.store.snapshot();
            edits.edit(bundle, index, step);
            // The word book keeps only today's counters.
            if (bundle.stats) bundle.stats->day = DayKey::of(device.clock.now());
            device.store.applySync(bundle);
        } else {
            ASSERT_TRUE(device.sync()) << device.service.lastErrorDetail()->toStdString();
        }
    }
    std::vector<int> order(deviceCount);
    std::iota(order.begin(), order.end(), 0);
    for (int round = 0; round < 2; ++round) {
        std::shuffle(order.begin(), order.end(), edits.random());
        for (int index : order)
            ASSERT_TRUE(devices[index].sync());
    }
    const QByteArray agreed = server.bundle();
    for (SyncDevice& device : devices)
        ASSERT_EQ(device.store.snapshot().normalized().json(), agreed) << "seed " << seed;
}

} // namespace

TEST(SyncDevices, TwoAndThreeDataFoldersConvergeThroughTheServer)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        FakeSyncServer server;
        simulate(seed, 2 + seed % 2, 40, server);
        if (HasFatalFailure()) return;
        EXPECT_FALSE(SyncBundle::parse(server.bundle()).words.isEmpty()) << seed;
    }
}
