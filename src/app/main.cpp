#include "app/frmLogin.h"
#include "common/uiseams.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    common::installUiSeams();
    auto *login = new frmLogin;
    login->setAttribute(Qt::WA_DeleteOnClose);
    login->show();
    return app.exec();
}
