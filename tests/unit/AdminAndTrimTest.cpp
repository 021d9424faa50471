// The administrator check, the lock of the autoconfig choice, and the memory trimming.
#include "support/FormFixture.h"

namespace nimbrel::testing {
namespace {

using Calls = std::vector<std::string>;

class AdminCheck : public FormFixture {};

TEST_F(AdminCheck, asksForTheBuiltInAdministratorsGroup)
{
    startForm();
    EXPECT_EQ(security.authorityBytes, (std::vector<BYTE>{0, 0, 0, 0, 0, 5}));
    EXPECT_EQ(security.subAuthorityCount, 2);
    EXPECT_EQ(security.subAuthorities, (std::vector<DWORD>{32, 544, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(security.calls, (Calls{"allocate", "check", "free"}));
}

struct CheckCase {
    const char* what;
    bool allocationSucceeds;
    bool membershipCallSucceeds;
    BOOL answer;
    bool admin;
    Calls calls;
};

class AdminCheckPaths : public AdminCheck, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(AdminCheckPaths, answerAndCalls)
{
    const CheckCase& c = GetParam();
    security.allocationSucceeds = c.allocationSucceeds;
    security.membershipCallSucceeds = c.membershipCallSucceeds;
    security.membershipAnswer = c.answer;
    startForm();
    EXPECT_EQ(Form1::adminRightsAvailable, c.admin) << c.what;
    EXPECT_EQ(security.calls, c.calls) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AdminCheckPaths,
    ::testing::Values(
        CheckCase{"member", true, true, TRUE, true, {"allocate", "check", "free"}},
        CheckCase{"not a member", true, true, FALSE, false, {"allocate", "check", "free"}},
        CheckCase{"only 1 counts", true, true, 2, false, {"allocate", "check", "free"}},
        CheckCase{"membership test fails", true, false, TRUE, false, {"allocate", "check", "free"}},
        CheckCase{"allocation fails", false, true, TRUE, false, {"allocate"}}));

TEST_F(AdminCheck, withoutRightsTheAutoConfigChoiceIsLockedBehindBothShields)
{
    ScratchRegistry::setString(settingsKeyPath, L"AutoConfigDisabled", L"True");
    security.membershipAnswer = FALSE;
    wlansim::Adapter a = adapter(0);
    a.autoconfig = 1;
    useScenario({a});
    startForm();

    EXPECT_TRUE(form->checkBoxAutoConfig.checked()) << "the loaded choice stays";
    EXPECT_FALSE(form->checkBoxAutoConfig.enabled());
    ASSERT_NE(form->pictureBoxUAC.image(), nullptr);
    EXPECT_EQ(form->pictureBoxUAC.image(), form->pictureBoxUAC2.image());
    EXPECT_EQ(stateOf(0).autoconfig, 0u) << "the first pass tried before the check";
}

TEST_F(AdminCheck, withRightsTheChoiceIsFreeAndTheShieldsEmpty)
{
    ScratchRegistry::setString(settingsKeyPath, L"AutoConfigDisabled", L"True");
    startForm();
    EXPECT_TRUE(form->checkBoxAutoConfig.enabled());
    EXPECT_EQ(form->pictureBoxUAC.image(), nullptr);
    EXPECT_EQ(form->pictureBoxUAC2.image(), nullptr);
}

class MemoryTrim : public FormFixture {};

TEST_F(MemoryTrim, trimsTheWorkingSetThenCompactsTheLockedHeap)
{
    startForm();
    EXPECT_EQ(processMemory.calls, (Calls{"process", "trim", "heap", "lock", "compact", "unlock"}))
        << "once, at the end of the startup";
    processMemory.calls.clear();
    processMemory.lockSucceeds = false;
    form->MinimizeMemoryUsage();
    EXPECT_EQ(processMemory.calls, (Calls{"process", "trim", "heap", "lock"}))
        << "a heap that cannot be locked is neither compacted nor unlocked";
}

TEST_F(MemoryTrim, isNotPartOfSaveNorOfTheShutdown)
{
    startForm();
    processMemory.calls.clear();
    SendMessageW(form->buttonApply.handle(), BM_CLICK, 0, 0);
    form->Dispose(true);
    EXPECT_TRUE(processMemory.calls.empty());
}

} // namespace
} // namespace nimbrel::testing
