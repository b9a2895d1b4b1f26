// A modal dialog with a message, an explanation, an icon and up to three buttons; ShowModal
// answers which button the user pressed.
#pragma once

#include <cstdint>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

class MessageDialogButton : public Registered<MessageDialogButton, Object> {
  public:
    static ClassRecord describe();
    MessageDialogButton(String caption = String(), bool visible = false)
        : caption_(std::move(caption)), visible_(visible) {}

    String Caption() const { return caption_; }
    void setCaption(const String& caption) { caption_ = caption; }
    bool Visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

  private:
    String caption_;
    bool visible_;
};

class MessageDialog : public Registered<MessageDialog, Object> {
  public:
    static ClassRecord describe();
    MessageDialog();

    // Icon kinds.
    enum : int32_t { IconNone = -1, IconNote = 0, IconCaution = 1, IconStop = 2, IconQuestion = 3 };

    String Title() const { return title_; }
    void setTitle(const String& title) { title_ = title; }
    String Message() const { return message_; }
    void setMessage(const String& message) { message_ = message; }
    String Explanation() const { return explanation_; }
    void setExplanation(const String& explanation) { explanation_ = explanation; }
    int32_t Icon() const { return icon_; }
    void setIcon(int32_t icon) { icon_ = icon; }

    // The same objects on every read. The action button ("OK", shown) is the default one, the
    // cancel button ("Cancel", hidden until asked for) is what Escape and the close box give.
    Ref<MessageDialogButton> ActionButton() const { return action_; }
    Ref<MessageDialogButton> CancelButton() const { return cancel_; }
    Ref<MessageDialogButton> AlternateActionButton() const { return alternate_; }

    // Shows the dialog and waits; returns the button pressed. All texts show as plain text.
    Ref<MessageDialogButton> ShowModal();

  private:
    String title_, message_, explanation_;
    int32_t icon_ = IconNote;
    Ref<MessageDialogButton> action_, cancel_, alternate_;
};

} // namespace fw
