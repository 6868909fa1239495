#pragma once

#include <QString>

namespace db {

// One pass of the layered decoder: characters outside the base64 alphabet (and "=") are
// dropped, partial groups ignored, and the bytes read as Windows-1252 text.
QString Base64Decode(const QString &text);
// The stored configuration texts are base64 of base64 of base64 of the value.
QString DecodeStoredText(const QString &text);
// False when the text holds ";", "'", "--" or "/*".
bool IsSafeText(const QString &text);

// The installation constants in their stored (layered base64) form.
struct StoredTexts {
    QString host[5];
    QString portP1;
    QString portP2;
    QString portP3;
    QString user; // also the database name
    QString password;
    QString lookup1;
    QString lookup2;
    QString lookup3;
};

// The compiled-in set until test code installs its own.
const StoredTexts &storedTexts();
void setStoredTexts(const StoredTexts &texts);
StoredTexts compiledStoredTexts();

} // namespace db
