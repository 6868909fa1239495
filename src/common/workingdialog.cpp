#include "common/workingdialog.h"

namespace common {

void WorkingDialog::showEvent(QShowEvent *event) {
    if (!loaded_) {
        loaded_ = true;
        load();
    }
    QDialog::showEvent(event);
}

} // namespace common
