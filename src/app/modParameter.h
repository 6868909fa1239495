#pragma once

#include "core/session.h"
#include "db/gateway.h"

#include <QSqlDatabase>
#include <QString>

// Application settings (set_app) and the arithmetic of the coloured status panels.
namespace app {

// Puts value into the setting whose key equals key exactly (case-sensitive); an unknown key
// changes nothing. Returns whether the key was recognised.
bool applySetting(core::Settings &settings, const QString &key, const QString &value);

const QString &settingsSql();
// LoadSettings: empties core::settings() and reads "SELECT * FROM set_app" into it, row by
// row, so that the last of several rows with one key wins. A query that cannot run leaves
// the settings empty.
void LoadSettings(const QSqlDatabase &conn = db::sessionConnection());

// Width of a coloured panel: its text width plus 75 twips.
int colouredPanelWidth(int textWidthPixels, int dpi);

} // namespace app
