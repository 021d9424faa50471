// The About page's links and the Donate button.
#include "app/Form1.h"

#include "ui/AboutLinks.h"

namespace nimbrel {

void Form1::linkLabelHomepage_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    openLink(shell_, messageBoxes_, handle(), {homepageAddress(), homepageFailureText()});
}

void Form1::linkLabelEmail_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    openLink(shell_, messageBoxes_, handle(), {feedbackAddress(), feedbackFailureText()});
}

void Form1::buttonDonate_Click(gui::Control* /*sender*/, const EventArgs& /*e*/)
{
    // Chosen afresh at each click: the default keyboard language may have changed.
    const int group = donationGroupOf(inputLanguage_.defaultCultureName());
    openLink(shell_, messageBoxes_, handle(), {donationAddress(group), donationFailureText(group)});
}

} // namespace nimbrel
