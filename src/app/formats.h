#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Date and time texts of the login window and the status bar, in the system locale.
namespace app {

// "dd MMMM yyyy" with the system locale's month names (the login's date check).
QString loginDateText(const QDateTime &at);
// The long date format of common::uiLocale() (status bar panel 3).
QString longDateText(const QDate &day);
// The system's long time format without a time zone, every "." replaced by ":" (panel 4).
QString clockText(const QTime &time);

} // namespace app
