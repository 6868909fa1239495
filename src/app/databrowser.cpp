#include "app/databrowser.h"

namespace app {

QWidget *createDataBrowser(const QString &) {
    return nullptr; // stand-in until the administration windows exist
}

} // namespace app
