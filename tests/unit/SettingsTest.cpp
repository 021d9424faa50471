// The saved choices in the registry, the autostart entry and the Save button.
#include "support/FormFixture.h"

#include <algorithm>

namespace nimbrel::testing {
namespace {

const wchar_t* const valueNames[] = {L"AutoConfigDisabled", L"BackgroundScanEnabled",
                                     L"StreamingModeEnabled", L"MinimizeToTray", L"Autorun"};

class Settings : public FormFixture {
protected:
    std::vector<bool> boxes() const
    {
        return {form->checkBoxAutoConfig.checked(), form->checkBoxBackgroundScan.checked(),
                form->checkBoxStreamingMode.checked(), form->checkBoxMinimize.checked(),
                form->checkBoxAutorun.checked()};
    }
    void save() { SendMessageW(form->buttonApply.handle(), BM_CLICK, 0, 0); }
    // The registry lists values by name, not in the order they were written.
    static std::vector<std::wstring> savedValueNames()
    {
        std::vector<std::wstring> names = ScratchRegistry::valueNames(settingsKeyPath);
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::vector<std::wstring> allFive()
    {
        std::vector<std::wstring> names(std::begin(valueNames), std::end(valueNames));
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::wstring programPath()
    {
        wchar_t path[MAX_PATH];
        return std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    }
};

TEST_F(Settings, aFirstStartCreatesTheEmptyKeyAndChecksOnlyBackgroundScan)
{
    startForm();
    EXPECT_TRUE(ScratchRegistry::keyExists(settingsKeyPath));
    EXPECT_TRUE(ScratchRegistry::valueNames(settingsKeyPath).empty()) << "nothing is written before a Save";
    EXPECT_EQ(boxes(), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_TRUE(form->buttonApply.enabled());
}

struct StoredCase {
    const char* what;
    DWORD type;
    std::vector<BYTE> data;
    std::optional<bool> expected; // none: the value's default
};

std::vector<BYTE> bytesOf(std::wstring_view text, bool withNul = true)
{
    const auto* first = reinterpret_cast<const BYTE*>(text.data());
    std::vector<BYTE> bytes(first, first + text.size() * sizeof(wchar_t));
    if (withNul) {
        bytes.insert(bytes.end(), sizeof(wchar_t), 0);
    }
    return bytes;
}

class StoredValue : public Settings, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValue, loadsLenientlyAndOnItsOwn)
{
    const StoredCase& c = GetParam();
    // Every value holds the same data, and each box reads it without disturbing the others.
    for (const wchar_t* name : valueNames) {
        ScratchRegistry::setValue(settingsKeyPath, name, c.type, c.data.data(),
                                  static_cast<DWORD>(c.data.size()));
    }
    startForm();
    const std::vector<bool> defaults{false, true, false, false, false};
    const std::vector<bool> loaded = boxes();
    for (size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(loaded[i], c.expected.value_or(defaults[i])) << c.what << " in " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, StoredValue,
    ::testing::Values(
        StoredCase{"True", REG_SZ, bytesOf(L"True"), true},
        StoredCase{"True without its NUL", REG_SZ, bytesOf(L"True", false), true},
        StoredCase{"true", REG_SZ, bytesOf(L"true"), false},
        StoredCase{"False", REG_SZ, bytesOf(L"False"), false},
        StoredCase{"empty", REG_SZ, {}, false},
        StoredCase{"True and more", REG_SZ, bytesOf(L"True "), false},
        StoredCase{"over-long", REG_SZ, bytesOf(std::wstring(70000, L'T')), false},
        StoredCase{"odd byte count", REG_SZ, {'T', 0, 'r', 0, 'u'}, false},
        StoredCase{"DWORD 1", REG_DWORD, {1, 0, 0, 0}, false},
        StoredCase{"binary", REG_BINARY, {0xde, 0xad, 0xbe, 0xef}, false},
        StoredCase{"list", REG_MULTI_SZ, bytesOf(std::wstring(L"True\0", 5)), false}));

TEST_F(Settings, aMissingValueTakesItsOwnDefault)
{
    ScratchRegistry::setString(settingsKeyPath, L"AutoConfigDisabled", L"True");
    ScratchRegistry::setString(settingsKeyPath, L"StreamingModeEnabled", L"True");
    startForm();
    EXPECT_EQ(boxes(), (std::vector<bool>{true, true, true, false, false}));
}

TEST_F(Settings, aKeyInPlaceOfAValueCountsAsMissing)
{
    ScratchRegistry::createKey(L"Software\\Nimbrel .NET\\BackgroundScanEnabled");
    ScratchRegistry::createKey(L"Software\\Nimbrel .NET\\Autorun");
    startForm();
    EXPECT_EQ(boxes(), (std::vector<bool>{false, true, false, false, false}));
}

TEST_F(Settings, withoutAdministratorRightsSaveWritesFourValuesAndKeepsTheFifth)
{
    ScratchRegistry::setString(settingsKeyPath, L"AutoConfigDisabled", L"True");
    security.membershipAnswer = FALSE;
    startForm();
    form->checkBoxAutoConfig.setChecked(false);
    form->checkBoxStreamingMode.setChecked(true);
    save();

    EXPECT_EQ(savedValueNames(), allFive());
    EXPECT_EQ(ScratchRegistry::value(settingsKeyPath, L"AutoConfigDisabled")->text, L"True");
    EXPECT_EQ(ScratchRegistry::value(settingsKeyPath, L"StreamingModeEnabled")->text, L"True");
    EXPECT_EQ(ScratchRegistry::value(settingsKeyPath, L"MinimizeToTray")->text, L"False");
    EXPECT_EQ(ScratchRegistry::value(settingsKeyPath, L"MinimizeToTray")->type, static_cast<DWORD>(REG_SZ));
    EXPECT_FALSE(form->buttonApply.enabled());
}

TEST_F(Settings, withAdministratorRightsSaveWritesAllFiveInOrder)
{
    startForm();
    form->checkBoxAutoConfig.setChecked(true);
    save();
    EXPECT_EQ(savedValueNames(), allFive());
    EXPECT_EQ(ScratchRegistry::value(settingsKeyPath, L"AutoConfigDisabled")->text, L"True");
}

TEST_F(Settings, saveEnforcesAtOnceAndDisablesItselfUntilTheNextChange)
{
    wlansim::Adapter a = adapter(0);
    a.streamingMode = 0;
    useScenario({a});
    startForm();
    form->checkBoxStreamingMode.setChecked(true);
    save();
    EXPECT_EQ(stateOf(0).streamingMode, 1u) << "a pass runs right after the save";
    EXPECT_FALSE(form->buttonApply.enabled());
    form->checkBoxStreamingMode.setChecked(false);
    form->checkBoxStreamingMode.setChecked(true);
    EXPECT_TRUE(form->buttonApply.enabled()) << "even when the choices equal the saved ones";
}

TEST_F(Settings, theAutostartEntryHoldsTheQuotedPathOrIsGone)
{
    ScratchRegistry::setString(runKeyPath, L"Nimbrel", L"C:\\Old place\\Nimbrel.exe");
    startForm();
    form->checkBoxAutorun.setChecked(true);
    save();
    const auto entry = ScratchRegistry::value(runKeyPath, L"Nimbrel");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text, L"\"" + programPath() + L"\"") << "replaced after a move, and quoted";
    EXPECT_EQ(entry->type, static_cast<DWORD>(REG_SZ));

    form->checkBoxAutorun.setChecked(false);
    save();
    EXPECT_FALSE(ScratchRegistry::value(runKeyPath, L"Nimbrel"));
    save(); // nothing left to delete: no message, and the save completes
    EXPECT_TRUE(messageBoxes.shown.empty());
    EXPECT_FALSE(form->buttonApply.enabled());
}

TEST_F(Settings, aMissingRunKeyIsPassedSilently)
{
    startForm();
    form->checkBoxAutorun.setChecked(true);
    save();
    EXPECT_FALSE(ScratchRegistry::keyExists(runKeyPath)) << "the Run key is not created";
    EXPECT_EQ(ScratchRegistry::value(settingsKeyPath, L"Autorun")->text, L"True");
    EXPECT_TRUE(messageBoxes.shown.empty());
    EXPECT_FALSE(form->buttonApply.enabled());
}

TEST_F(Settings, aSettingsKeyThatCannotBeCreatedIsReportedAndSaveStaysEnabled)
{
    startForm();
    useScenario({adapter(0)});
    // Under a volatile "Software" no lasting key can be made: the settings key cannot be created.
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software");
    for (const wchar_t* path : {L"Software", L"Software\\Microsoft", L"Software\\Microsoft\\Windows",
                                L"Software\\Microsoft\\Windows\\CurrentVersion", runKeyPath}) {
        UniqueKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
    }
    ScratchRegistry::setString(runKeyPath, L"Nimbrel", L"untouched");
    service.clearCalls();
    form->checkBoxAutorun.setChecked(false);
    save();

    ASSERT_EQ(messageBoxes.shown.size(), 1u);
    EXPECT_EQ(messageBoxes.shown[0].text, L"Unable to save settings.");
    EXPECT_EQ(messageBoxes.shown[0].caption, L"Error");
    EXPECT_EQ(messageBoxes.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(messageBoxes.shown[0].owner, form->handle());
    EXPECT_TRUE(form->buttonApply.enabled());
    EXPECT_TRUE(service.calls().empty()) << "no pass after a failed save";
    EXPECT_EQ(ScratchRegistry::value(runKeyPath, L"Nimbrel")->text, L"untouched");
}

TEST_F(Settings, aSettingsKeyThatCannotBeCreatedAtStartLeavesTheDefaults)
{
    UniqueKey software;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, software.put(), nullptr),
              ERROR_SUCCESS);
    startForm();
    EXPECT_FALSE(ScratchRegistry::keyExists(settingsKeyPath));
    EXPECT_EQ(boxes(), (std::vector<bool>{false, true, false, false, false}));
}

} // namespace
} // namespace nimbrel::testing
