// Operations on windows and controls: texts, ticks, enabling, focus, pictures,
// progress, combo boxes, placement and the window's own state.
//
// Every function takes the control's (or dialog's) WindowHandle, as controlOf()
// returns it; a null handle does nothing and answers 0 / false / an empty text.
// Texts are UTF-8. None of these functions sends a Command to the procedure: only
// the user's own actions do (as a program's own changes to controls never notify).
#pragma once

#include <stddef.h>

#include "tonekit/records.h"

namespace platform {

// Enabled state of a control or a whole dialog.
void setEnabled(WindowHandle window, bool enabled);
bool isEnabled(WindowHandle window);

// Text of a control (caption, edit text, static text) or the dialog's caption.
void setText(WindowHandle window, const char* text);  // null = empty
// Copies the text into `buffer` (capacity bytes incl. the terminator), cut on a
// UTF-8 character boundary when it does not fit; returns the bytes written without
// the terminator. A capacity of 0 writes nothing.
size_t getText(WindowHandle window, char* buffer, size_t capacity);
// Byte length of the full text (UTF-8) without a terminator.
size_t textLength(WindowHandle window);

// Tick of a check box.
void setChecked(WindowHandle checkBox, bool checked);
bool isChecked(WindowHandle checkBox);

// Keyboard focus.
void setFocus(WindowHandle window);
bool hasFocus(WindowHandle window);

// Progress bar position, clamped to its range 0..100.
void setProgress(WindowHandle progressBar, int position);
int progress(WindowHandle progressBar);

// Drop-down list (combo box) entries.
int addComboItem(WindowHandle combo, const char* text);  // index of the new entry, -1 on failure
int comboItemCount(WindowHandle combo);
// Selects entry `index`; -1 (or an index out of range) clears the selection.
// Returns false when the index is out of range (the selection is then cleared).
bool setComboSelection(WindowHandle combo, int index);
int comboSelection(WindowHandle combo);  // -1 when nothing is selected
// Copies entry `index` as getText does; 0 when there is no such entry.
size_t comboItemText(WindowHandle combo, int index, char* buffer, size_t capacity);

// Rectangle of a control in its dialog's client coordinates (the coordinates the
// dialog's background is painted in), in pixels; for a dialog, its client area at
// (0, 0). For a combo box resized with resizeControl the height is the one given
// there (closed box plus drop-down list); before that, the closed box's.
TkRect windowRect(WindowHandle window);
// Changes a control's size, keeping its position. For a combo box `height` is the
// closed box plus its drop-down list: the closed box keeps its height and the list
// shows as many entries as fit in the rest (at least one).
void resizeControl(WindowHandle control, int width, int height);

// Picture of a Picture control or a PictureButton, shown at the image's own size
// (a Picture control grows or shrinks to it). The image is copied; the caller keeps
// `image`. Null removes the picture.
void setControlPicture(WindowHandle control, BitmapHandle image);
// The same from encoded image bytes (PNG, JPEG, BMP, ICO); false when they do not
// decode.
bool setControlPictureFromBytes(WindowHandle control, const void* bytes, size_t size);

// The window's icon (title bar, task bar), copied from a bitmap or decoded from
// encoded image bytes (ICO, PNG, ...); false when there is nothing to show.
bool setWindowIcon(WindowHandle window, BitmapHandle image);
bool setWindowIconFromBytes(WindowHandle window, const void* bytes, size_t size);

// Shows a dialog (placed in the middle of the screen on its first showing when its
// template says so), minimises it, or asks whether it is minimised / visible.
void showWindow(WindowHandle window);
void minimiseWindow(WindowHandle window);
bool isMinimised(WindowHandle window);
bool isVisible(WindowHandle window);

// Keeps a window above all others, or not. The window stays where it is.
void setTopmost(WindowHandle window, bool topmost);
bool isTopmost(WindowHandle window);

}  // namespace platform
