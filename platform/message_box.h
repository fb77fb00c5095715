// Modal message boxes.
//
// With a running GUI (a QApplication exists) this shows a real message box with the
// given text, caption, icon and buttons, owned by `owner` (or by nobody when null),
// and waits for the answer. Without a window system (no QApplication in the process,
// as in brisktune-cli) it writes "caption: text" to standard error instead and
// answers as if the user had pressed OK, or No for a question.
#pragma once

#include "tonekit/records.h"

namespace platform {

enum class MessageIcon { None, Information, Question, Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

MessageAnswer messageBox(WindowHandle owner, const char* text, const char* caption,
                         MessageIcon icon, MessageButtons buttons);

}  // namespace platform
