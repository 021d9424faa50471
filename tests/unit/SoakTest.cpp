// Ten thousand refresh passes in one process, as weeks in the tray would make them.
#include "support/FormFixture.h"
#include "support/GuiObjectCount.h"
#include "support/PrivateBytes.h"

#include <cstdio>

namespace nimbrel::testing {
namespace {

class Soak : public FormFixture {
protected:
    void SetUp() override
    {
        wlansim::Adapter first = adapter(0);
        wlansim::Adapter second = adapter(1, wlan_interface_state_disconnected);
        useScenario({first, second});
        startForm();
        // The simulated service would otherwise keep a record of every call.
        editService([](wlansim::Scenario&) {});
    }

    // Every pass writes, and every row, image and text changes.
    void passes(int count)
    {
        for (int pass = 0; pass < count; ++pass) {
            form->checkBoxAutoConfig.setChecked(pass % 2 == 0);
            form->EnumInterfaces();
            if (pass % 500 == 0) {
                service.clearCalls();
            }
        }
        service.clearCalls();
    }
};

TEST_F(Soak, tenThousandPassesKeepHandlesAndPrivateBytesFlat)
{
    passes(2000); // the heaps and the system's first-use caches reach their size here
    const ObjectCounts objectsBefore = countProcessObjects();
    const std::size_t bytesBefore = privateBytes();
    for (int round = 0; round < 5; ++round) {
        passes(2000);
        std::printf("after %d: %zu KiB\n", (round + 1) * 2000, privateBytes() / 1024);
    }
    const ObjectCounts growth = difference(countProcessObjects(), objectsBefore);
    const std::size_t bytesAfter = privateBytes();

    std::printf("objects: %s\nprivate bytes: %zu KiB before, %zu KiB after\n", describe(growth).c_str(),
                bytesBefore / 1024, bytesAfter / 1024);
    EXPECT_TRUE(isZero(growth)) << describe(growth);
    // Heaps grow in steps and keep what they took; a leak of even 16 bytes a pass is 160 KB here.
    EXPECT_LT(bytesAfter, bytesBefore + 64 * 1024);
}

TEST(PrivateBytes, seeALeakMadeOnPurpose)
{
    const std::size_t before = privateBytes();
    for (int pass = 0; pass < 10000; ++pass) {
        // What a pass that forgot 64 bytes would leave behind.
        auto* forgotten = new char[64];
        forgotten[0] = static_cast<char>(pass);
    }
    EXPECT_GT(privateBytes(), before + 64 * 1024);
}

} // namespace
} // namespace nimbrel::testing
