#include "app/modParameter.h"
#include "common/twips.h"

#include "db/sql.h"

#include <QSqlQuery>

namespace app {

bool applySetting(core::Settings &s, const QString &key, const QString &value) {
    struct Key {
        const char *name;
        QString core::Settings::*field;
    };
    static const Key keys[] = {
        {"AppName", &core::Settings::appName},
        {"Url", &core::Settings::url},
        {"Version", &core::Settings::version},
        {"Channel", &core::Settings::channel},
        {"NoRekening", &core::Settings::noRekening},
        {"LembagaNama", &core::Settings::lembagaNama},
        {"LembagaAlamat", &core::Settings::lembagaAlamat},
        {"PinEnable", &core::Settings::pinEnable},
        {"LembagaTransKet", &core::Settings::lembagaTransKet},
        {"LembagaTransID", &core::Settings::lembagaTransId},
        {"LembagaTransMax", &core::Settings::lembagaTransMax},
    };
    for (const Key &k : keys) {
        if (key == QLatin1String(k.name)) {
            s.*(k.field) = value;
            return true;
        }
    }
    return false;
}

void LoadSettings(const QSqlDatabase &conn) {
    core::Settings loaded;
    QSqlQuery q = db::selectForFill(QStringLiteral("SELECT * FROM set_app"), {}, conn);
    while (q.next()) {
        applySetting(loaded, q.value(QStringLiteral("app_case")).toString(),
                     q.value(QStringLiteral("app_text")).toString());
    }
    core::settings() = loaded;
}

int colouredPanelWidth(int textWidthPixels, int dpi) {
    return textWidthPixels + common::twipsToPixels(75, dpi);
}

} // namespace app
