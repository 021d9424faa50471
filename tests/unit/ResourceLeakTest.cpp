// Thousands of refresh passes leave the process's GDI, USER and kernel object counts where they were.
#include "support/FormFixture.h"
#include "support/GuiObjectCount.h"

#include "gui/EmbeddedResource.h"


namespace nimbrel::testing {
namespace {

class ResourceLeak : public FormFixture {
protected:
    void SetUp() override
    {
        wlansim::Adapter first = adapter(0);
        wlansim::Adapter second = adapter(1, wlan_interface_state_disconnected);
        useScenario({first, second});
        startForm();
    }

    // Each pass flips the autoconfig choice, so that every pass writes, and every row, image,
    // text and the tray icon change.
    ObjectCounts growthOver(int passes, bool leakAnIconEachPass)
    {
        for (int warmUp = 0; warmUp < 4; ++warmUp) {
            flipAndRefresh(warmUp);
        }
        const ObjectCounts before = countProcessObjects();
        for (int pass = 0; pass < passes; ++pass) {
            flipAndRefresh(pass);
            if (leakAnIconEachPass) {
                (void)gui::iconFromIconFile(Form1::uacIconStream, 16).release();
            }
        }
        return difference(countProcessObjects(), before);
    }

    void flipAndRefresh(int pass)
    {
        form->checkBoxAutoConfig.setChecked(pass % 2 == 0);
        form->EnumInterfaces();
    }
};

TEST_F(ResourceLeak, thousandsOfPassesKeepEveryCountFlat)
{
    const ObjectCounts growth = growthOver(3000, false);
    EXPECT_TRUE(isZero(growth)) << describe(growth);
}

TEST_F(ResourceLeak, theCountCatchesAnIconLeakedOnPurpose)
{
    const ObjectCounts growth = growthOver(100, true);
    EXPECT_FALSE(isZero(growth));
    EXPECT_EQ(growth.icons, 100) << describe(growth);
}

TEST_F(ResourceLeak, monitorChangesReplaceTheFontsWithoutKeepingTheOldOnes)
{
    RECT suggested{0, 0, 400, 400};
    auto change = [&](UINT dpi) {
        SendMessageW(form->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    };
    change(144);
    change(96);
    const ObjectCounts before = countProcessObjects();
    for (int i = 0; i < 50; ++i) {
        change(144);
        change(96);
    }
    const ObjectCounts growth = difference(countProcessObjects(), before);
    EXPECT_TRUE(isZero(growth)) << describe(growth);
}

} // namespace
} // namespace nimbrel::testing
