#pragma once

#include <QString>
#include <QVariant>

namespace core {

// The logged-in user and the workstation, filled by the login and the session start.
struct CurrentUserRecord {
    QString id;
    QVariant name;
    QVariant alias;
    QVariant group;
    QVariant kind;
    QString kindText;
    QVariant cluster;
    QVariant office;
    QString accessKind;
    QString ipAddress;
    QString hostName;
    QString macAddress;
    QString sessionCode;

    // The operator written into the registering and updating columns.
    QString aliasText() const { return alias.toString(); }
};

// Process-wide values read once from set_app.
struct Settings {
    QString appName;
    QString url;
    QString version;
    QString channel;
    QString noRekening;
    QString lembagaNama;
    QString lembagaAlamat;
    QString pinEnable;
    QString lembagaTransKet;
    QString lembagaTransId;
    QString lembagaTransMax;
};

CurrentUserRecord &CurrentUser();
Settings &settings();

} // namespace core
