#pragma once

#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace nimbrel {

// The About page's addresses and what it says when one cannot be opened; no window code, so the
// window and the tests share one source of every text.

// Donation group 1..6 of a culture name such as "de-DE"; 6 for every name not listed.
int donationGroupOf(std::wstring_view cultureName);

std::wstring homepageAddress();
std::wstring homepageFailureText();
std::wstring feedbackAddress();
std::wstring feedbackFailureText();
// A group outside 1..6 gets the default group's page.
std::wstring donationAddress(int group);
std::wstring donationFailureText(int group);

// What the two address tooltips show, so that they name what a click opens.
std::wstring_view homepageTooltip();
std::wstring_view feedbackTooltip();

struct LinkAction {
    std::wstring address;
    std::wstring failureText;
};

// Opens the address; when the shell fails, one warning box owned by `owner` says why.
// Returns whether the address was opened.
bool openLink(Shell& shell, MessageBoxes& boxes, HWND owner, const LinkAction& link);

} // namespace nimbrel
