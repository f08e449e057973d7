#include "RandomEdits.h"

#include "sync/SyncMerge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

using namespace glossivo;
using namespace glossivo::testing;

namespace {

// Devices edit their word books at random and sync through one server in random order, local
// document first as a sync pass does.
class Simulation {
public:
    Simulation(unsigned seed, int deviceCount) : m_devices(deviceCount), m_edits(seed) {}

    void run(int steps)
    {
        for (m_step = 0; m_step < steps; ++m_step) {
            const int device = m_edits.pick(m_devices.size());
            if (m_edits.pick(10) < 7)
                m_edits.edit(m_devices[device], device, m_step);
            else
                sync(m_devices[device]);
        }
        std::vector<int> order(m_devices.size());
        std::iota(order.begin(), order.end(), 0);
        for (int round = 0; round < 2; ++round) {
            std::shuffle(order.begin(), order.end(), m_edits.random());
            for (int device : order)
                sync(m_devices[device]);
        }
    }

    QList<SyncBundle> m_devices;
    SyncBundle m_server;

private:
    void sync(SyncBundle& local)
    {
        const SyncBundle snapshot = local.normalized();
        const SyncBundle merged = SyncMerge::merge(snapshot, m_server);
        EXPECT_EQ(merged.hash(), SyncMerge::merge(m_server, snapshot).hash());
        local = m_server = merged;
    }

    RandomEdits m_edits;
    int m_step = 0;
};

} // namespace

TEST(MergeConvergence, DevicesSyncingInRandomOrderEndWithTheSameDocument)
{
    int withWords = 0;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Simulation simulation(seed, 2 + seed % 2);
        simulation.run(120);
        const QByteArray agreed = simulation.m_server.json();
        for (const SyncBundle& device : simulation.m_devices)
            ASSERT_EQ(device.json(), agreed) << "seed " << seed;
        ASSERT_EQ(SyncMerge::merge(simulation.m_server, simulation.m_server).json(), agreed);
        withWords += !simulation.m_server.words.isEmpty();
    }
    EXPECT_GT(withWords, 14); // deletions must not leave nothing to compare
}
