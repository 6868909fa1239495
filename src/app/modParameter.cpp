#include "app/modParameter.h"

#include "common/twips.h"
#include "db/reader.h"

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

const QString &settingsSql() {
    static const QString sql = QStringLiteral("SELECT * FROM set_app");
    return sql;
}

void LoadSettings(const QSqlDatabase &conn) {
    core::Settings loaded;
    db::Reader r(settingsSql(), {}, conn);
    const int key = r.column(QStringLiteral("app_case"));
    const int text = r.column(QStringLiteral("app_text"));
    while (r.next())
        applySetting(loaded, r.text(key), r.text(text));
    if (r.failure())
        qWarning("settings not read: %s", qPrintable(r.failure()->text()));
    core::settings() = loaded;
}

int colouredPanelWidth(int textWidthPixels, int dpi) {
    return textWidthPixels + common::twipsToPixels(75, dpi);
}

} // namespace app
