#pragma once

#include <QString>

#include <functional>

// Every message box of the program goes through here, so that tests can watch and answer them.
namespace msg {

enum class Icon { Information, Exclamation, Question, Critical };
enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

using Handler = std::function<Answer(Icon, const QString &title, const QString &text, Buttons)>;

Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons = Buttons::Ok);

// Exclamation icon, OK button, application title unless given.
void exclamation(const QString &text);
void exclamation(const QString &text, const QString &title);
// Information icon, OK button, application title.
void information(const QString &text);
// Critical icon, OK button.
void critical(const QString &text, const QString &title);
// Question icon with Yes/No; true on Yes.
bool askYesNo(const QString &text, const QString &title);
// Question icon with OK/Cancel; true on OK.
bool askOkCancel(const QString &text, const QString &title);

// How many message boxes are open right now (nested ones count each).
int openCount();
// True when a box with this text was shown within the last ms milliseconds (or is open).
bool shownWithin(const QString &text, qint64 ms);

// The message boxes the application installs at start-up, or a recorder in tests. Without a
// handler a message goes to stderr.
void setHandler(Handler handler);

} // namespace msg
