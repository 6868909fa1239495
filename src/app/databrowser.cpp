#include "app/databrowser.h"

#include "admin/frmData.h"

namespace app {

QWidget *createDataBrowser(const QString &view) {
    auto *browser = new frmData;
    browser->view = view;
    return browser;
}

} // namespace app
