#pragma once

#include <QString>

namespace app {

// CekVersi's rule: the setting Version and the program's version text compared as
// plain texts, character by character by character code. True when the setting sorts after
// the version text (the program is behind and must end); an equal, earlier or empty setting
// passes. Textual on purpose: "1.10.0" sorts before "1.9.0".
bool versionIsBehind(const QString &settingVersion, const QString &versionText);

} // namespace app
