#include "gateway.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("APLIKASI CAFE SINDARA"));
    db::useProfile(QStringLiteral("1"));
    db::OpenSessionConnection();
    auto *label = new QLabel(&window);
    label->setAlignment(Qt::AlignCenter);
    label->setText(db::sessionState() == db::StateOpen
                       ? QStringLiteral("Terhubung ke database: %1").arg(db::databaseName())
                       : QStringLiteral("Tidak terhubung"));
    window.setCentralWidget(label);
    window.resize(640, 240);
    window.show();
    return app.exec();
}
