#pragma once

#include <QLocale>

class QAbstractButton;

// Workstation-wide rules of every window: the language of texts the system formats, Enter on
// a focused button, and a title bar that never falls back to the executable's name.
namespace common {

// The system locale, or Indonesian where the system names none (C/POSIX, as under LANG=C.UTF-8).
QLocale uiLocale();

// The caption of a message-box button in uiLocale() ("Ya", "Tidak", "OK", "Batal" in Indonesian);
// empty where the toolkit's own text stands.
enum class BoxButton { Yes, No, Ok, Cancel };
QString boxButtonText(BoxButton button);

// Makes uiLocale() the default of new widgets (date pickers) and installs the application-wide
// key and title rules. The program calls it once at start-up; window tests call it as well.
void installUiRules();

} // namespace common
