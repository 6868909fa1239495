#include "app/frmLogin.h"
#include "common/uiseams.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    // Without TZ the C library looks the zone file up again for every local time it converts.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
    QApplication app(argc, argv);
    common::installUiSeams();
    auto *login = new frmLogin;
    login->setAttribute(Qt::WA_DeleteOnClose);
    login->show();
    return app.exec();
}
