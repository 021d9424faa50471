// The About page's links: donation groups by culture, the addresses and failure texts, and what a
// click does when the shell cannot open an address.
#include "platform/InputLanguage.h"
#include "platform/Shell.h"
#include "ui/AboutLinks.h"
#include "ui/BuildSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nimbrel::testing {
namespace {

struct CultureCase {
    const wchar_t* name;
    int group;
};

TEST(AboutLinksGroups, wholeNamesMatchIgnoringCaseAndEverythingElseIsTheDefault)
{
    const CultureCase cases[] = {
        {L"de-DE", 1}, {L"DE-de", 1}, {L"de-de", 1}, {L"DE-DE", 1}, {L"fi", 1}, {L"FI", 1},
        {L"es-DO", 1}, {L"sl", 1},    {L"en-GB", 2}, {L"en-AU", 3}, {L"en-CA", 4},
        {L"fr-CA", 4}, {L"fr-CH", 5}, {L"it-CH", 5}, {L"de-CH", 5},
        // No language-only, prefix or suffix match.
        {L"fi-FI", 6}, {L"de", 6},    {L"de-DE-x", 6}, {L"de-D", 6}, {L" de-DE", 6},
        {L"fr-BE", 6}, {L"en-US", 6}, {L"", 6},
    };
    for (const CultureCase& c : cases) {
        EXPECT_EQ(donationGroupOf(c.name), c.group) << "culture \"" << c.name << "\"";
    }
}

TEST(AboutLinksSystem, theSystemsDefaultInputLanguageHasAValidCultureName)
{
    // Under Wine the system call succeeds without naming a layout, so this also runs the fallback.
    const std::wstring name = systemInputLanguage().defaultCultureName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.find(L'\0'), std::wstring::npos) << "the terminator is not part of the name";
    EXPECT_NE(LocaleNameToLCID(name.c_str(), 0), 0u) << "culture \"" << name << "\"";
}

TEST(AboutLinksTexts, homepageAndFeedbackOpenWhatTheirTooltipsName)
{
    EXPECT_EQ(homepageTooltip(), build::homepage);
    EXPECT_EQ(homepageAddress(), L"http://" + std::wstring(homepageTooltip()));
    EXPECT_EQ(homepageFailureText(), L"Unable to open " + std::wstring(homepageTooltip()));

    EXPECT_EQ(feedbackTooltip(), build::feedbackMail);
    EXPECT_EQ(feedbackAddress(), L"mailto:" + std::wstring(feedbackTooltip()));
    EXPECT_EQ(feedbackFailureText(), L"Unable to open email client.");
}

TEST(AboutLinksTexts, eachDonationGroupHasItsOwnButtonAndNamesTheWholeAddressOnFailure)
{
    const std::wstring page = L"https://" + std::wstring(build::paymentHost) +
                              L"/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=";
    for (int group = 1; group <= 6; ++group) {
        const std::wstring expected = page + build::donationButtons[group - 1];
        EXPECT_EQ(donationAddress(group), expected) << "group " << group;
        EXPECT_EQ(donationFailureText(group), L"Unable to open " + expected) << "group " << group;
    }
    EXPECT_EQ(donationAddress(0), donationAddress(6)) << "out of range is the default group";
    EXPECT_EQ(donationAddress(7), donationAddress(6));
}

class FakeShell final : public Shell {
public:
    bool opens = true;
    std::vector<std::wstring> opened;

    bool open(std::wstring_view address) override
    {
        opened.emplace_back(address);
        return opens;
    }
};

struct Box {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

class FakeMessageBoxes final : public MessageBoxes {
public:
    std::vector<Box> shown;

    int show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) override
    {
        shown.push_back({owner, std::wstring(text), std::wstring(caption), type});
        return IDOK;
    }
};

class AboutLinksOpen : public ::testing::Test {
protected:
    FakeShell shell;
    FakeMessageBoxes boxes;
    const HWND owner = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    const LinkAction link{L"mailto:someone@example.org", L"Unable to open email client."};
};

TEST_F(AboutLinksOpen, anOpenedAddressShowsNoBox)
{
    EXPECT_TRUE(openLink(shell, boxes, owner, link));
    EXPECT_EQ(shell.opened, std::vector<std::wstring>{link.address});
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AboutLinksOpen, aShellFailureShowsOneWarningOwnedByTheWindowAndIsNotRetried)
{
    shell.opens = false;
    EXPECT_FALSE(openLink(shell, boxes, owner, link));
    EXPECT_EQ(shell.opened, std::vector<std::wstring>{link.address});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].owner, owner);
    EXPECT_EQ(boxes.shown[0].text, link.failureText);
    EXPECT_EQ(boxes.shown[0].caption, L"Error");
    EXPECT_EQ(boxes.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TEST(AboutLinksSystem, anAddressNothingCanOpenFailsWithoutADialog)
{
    // A dialog from the shell would block here until the test times out.
    EXPECT_FALSE(systemShell().open(L"nimbrel-no-such-scheme:nothing"));
}

} // namespace
} // namespace nimbrel::testing
