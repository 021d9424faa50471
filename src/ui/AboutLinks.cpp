#include "ui/AboutLinks.h"

#include "ui/BuildSettings.h"

#include <cstddef>

namespace nimbrel {

namespace {

constexpr int defaultDonationGroup = 6;

struct DonationName {
    std::wstring_view name;
    int group;
};

// Groups in order, names within a group in order; the first equal name decides.
constexpr DonationName donationNames[] = {
    {L"de-de", 1}, {L"de-lu", 1}, {L"de-at", 1}, {L"nl-be", 1}, {L"nl-nl", 1}, {L"fi", 1},
    {L"fr-fr", 1}, {L"fr-lu", 1}, {L"el", 1},    {L"en-ie", 1}, {L"it-it", 1}, {L"mt", 1},
    {L"es-es", 1}, {L"es-do", 1}, {L"pt-pt", 1}, {L"sk", 1},    {L"sl", 1},
    {L"en-gb", 2},
    {L"en-au", 3},
    {L"en-ca", 4}, {L"fr-ca", 4},
    {L"de-ch", 5}, {L"it-ch", 5}, {L"fr-ch", 5},
};

// Culture-independent on purpose: under a Turkish user locale, lowering "FI" gives "fı".
bool equalIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    // Ordinal comparison maps code unit to code unit, so names of other lengths never match; the
    // check also keeps the lengths within int and empty views (null data) away from the call.
    if (a.size() != b.size()) {
        return false;
    }
    if (a.empty()) {
        return true;
    }
    const int length = static_cast<int>(a.size());
    return CompareStringOrdinal(a.data(), length, b.data(), length, TRUE) == CSTR_EQUAL;
}

std::wstring unableToOpen(std::wstring_view what)
{
    return L"Unable to open " + std::wstring(what);
}

} // namespace

int donationGroupOf(std::wstring_view cultureName)
{
    for (const DonationName& entry : donationNames) {
        if (equalIgnoringCase(cultureName, entry.name)) {
            return entry.group;
        }
    }
    return defaultDonationGroup;
}

std::wstring homepageAddress()
{
    return L"http://" + std::wstring(build::homepage);
}

std::wstring homepageFailureText()
{
    return unableToOpen(build::homepage);
}

std::wstring feedbackAddress()
{
    return L"mailto:" + std::wstring(build::feedbackMail);
}

std::wstring feedbackFailureText()
{
    return L"Unable to open email client.";
}

std::wstring donationAddress(int group)
{
    if (group < 1 || group > defaultDonationGroup) {
        group = defaultDonationGroup;
    }
    return L"https://" + std::wstring(build::paymentHost) +
           L"/cgi-bin/webscr?cmd=_s-xclick&hosted_button_id=" +
           build::donationButtons[static_cast<std::size_t>(group - 1)];
}

std::wstring donationFailureText(int group)
{
    return unableToOpen(donationAddress(group));
}

std::wstring_view homepageTooltip()
{
    return build::homepage;
}

std::wstring_view feedbackTooltip()
{
    return build::feedbackMail;
}

bool openLink(Shell& shell, MessageBoxes& boxes, HWND owner, const LinkAction& link)
{
    if (shell.open(link.address)) {
        return true;
    }
    boxes.show(owner, link.failureText, L"Error", MB_OK | MB_ICONWARNING);
    return false;
}

} // namespace nimbrel
