#pragma once

#include <QString>

class QWidget;

namespace app {

// The data browser over groups, users and the two logs for a view ("Group", "Pengguna",
// "LogLogin", "LogPassword"); the main window owns the one instance. nullptr while the
// browser is not built: the entries then open nothing.
QWidget *createDataBrowser(const QString &view);

} // namespace app
