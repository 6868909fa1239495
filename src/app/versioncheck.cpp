#include "app/versioncheck.h"

namespace app {

bool versionIsBehind(const QString &settingVersion, const QString &versionText) {
    // QString::compare without a locale compares UTF-16 code units one by one.
    return QString::compare(settingVersion, versionText, Qt::CaseSensitive) > 0;
}

} // namespace app
