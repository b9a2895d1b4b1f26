// The update window's working half: reading the update document, comparing versions, and telling
// the user.
#include "app/App.h"
#include "app/Window1.h"
#include "framework/Dialogs.h"
#include "framework/MessageDialog.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

namespace ambrel {

namespace {

// The most of a text from the reply that the dialog shows: a longer one is cut here, before the
// dialog lays it out, so that a huge reply cannot hold up the program.
constexpr int32_t kShownCharacters = 4096;

fw::String shown(const fw::String& text) {
    if (fw::Len(text) <= kShownCharacters)
        return text;
    return fw::Mid(text, 1, kShownCharacters) + "\u2026";
}

// An update document names a version that begins with a number; an error page, or a proxy's or
// captive portal's login page, does not. Blanks and line breaks before it are skipped, as Val
// skips them.
bool namesAVersion(const fw::String& version) {
    for (char c : version.bytes()) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        return c >= '0' && c <= '9';
    }
    return false;
}

} // namespace

fw::String updateWindow::startTag(const fw::String& tag) {
    return "<" + tag + ">";
}

fw::String updateWindow::endTag(const fw::String& tag) {
    return "</" + tag + ">";
}

fw::String updateWindow::returnValue(const fw::String& source, const fw::String& tag) {
    const int32_t p = fw::InStr(0, source, startTag(tag));
    // Without its start tag, or its end tag after it, the element is not there: nothing, never
    // text from elsewhere in the reply.
    if (p == 0)
        return fw::String();
    const int32_t s = p + fw::Len(startTag(tag));
    const int32_t e = fw::InStr(s, source, endTag(tag));
    if (e == 0)
        return fw::String();
    return fw::Mid(source, s, e - s);
}

void updateWindow::hp_PageReceived(fw::HTTPSocket* sender, fw::String, int32_t, fw::InternetHeaders*,
                                   fw::String content) {
    if (content == fw::String("")) {
        Close();
        return;
    }
    const fw::String version = returnValue(content, "CurrentVersion");
    const fw::String description = returnValue(content, "Description");
    const bool isFree = returnValue(content, "Free") == fw::String("Yes");
    if (!namesAVersion(version)) {
        hp_Error(sender, kNotAnUpdateDocument);
        return;
    }
    ProgressBar1()->setVisible(false);

    bool current = fw::Val(fw::NthField(version, ".", 1)) == static_cast<double>(::App()->MajorVersion());
    if (current)
        current = fw::Val(fw::NthField(version, ".", 2)) == static_cast<double>(::App()->MinorVersion());
    if (current)
        current = fw::Val(fw::NthField(version, ".", 3)) == static_cast<double>(::App()->BugVersion());

    if (!current) {
        askUpgrade(shown(version), shown(description), updateAddresses::download(), isFree);
        return;
    }
    StaticText1()->setText("This version is current.");
    StaticText1()->Refresh(true);
    if (!automaticCheck)
        fw::MsgBox("You are using the current version. No update is available.");
    Close();
    ::selfTest()->Close();
}

void updateWindow::askUpgrade(const fw::String& newVersion, const fw::String& description,
                              const fw::String& downloadURL, bool isFree) {
    fw::Ref<fw::MessageDialog> d = __New<fw::MessageDialog>();
    d->setTitle("New version available!");
    d->setMessage("Version " + newVersion + " is now available. ");
    d->setMessage(d->Message() + "(You are using version " + ::App()->ShortVersion() + ".) ");
    if (isFree) {
        d->setMessage(d->Message() + "This is a free upgrade. ");
        d->setMessage(d->Message() + "Would you like to automatically download ");
        d->setMessage(d->Message() + "this update (using your web browser)?");
    } else {
        d->setMessage(d->Message() + "This is a paid upgrade. ");
        d->setMessage(d->Message() + "Would you like to automatically download ");
        d->setMessage(d->Message() + "the trial version (using your web browser)?");
    }
    d->setExplanation(description);
    d->CancelButton()->setVisible(true);
    d->AlternateActionButton()->setCaption("Go to Website");
    d->AlternateActionButton()->setVisible(true);
    d->setIcon(fw::MessageDialog::IconQuestion);
    const fw::Ref<fw::MessageDialogButton> b = d->ShowModal();
    if (b == d->CancelButton()) {
        Close();
    } else if (b == d->ActionButton()) {
        fw::ShowURL(downloadURL);
        Close();
    } else if (b == d->AlternateActionButton()) {
        fw::ShowURL(updateAddresses::website());
    }
}

void updateWindow::hp_Error(fw::HTTPSocket*, int32_t code) {
    fw::Beep();
    fw::MsgBox("There was a communication error " + fw::String("with the website. Please try ") +
               "again later. (Code: " + fw::Str(code) + ")");
    ::updateWindow()->Close();
    ::selfTest()->Close();
    ::Window1()->SetFocus();
}

} // namespace ambrel
