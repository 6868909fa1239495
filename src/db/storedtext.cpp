#include "db/storedtext.h"

#include "core/ansi.h"
#include "installation_texts.h"

#include <optional>

namespace db {
namespace {

int alphabetValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 26;
    if (u >= '0' && u <= '9')
        return u - '0' + 52;
    if (u == '+')
        return 62;
    if (u == '/')
        return 63;
    if (u == '=')
        return 0;
    return -1;
}

std::optional<StoredTexts> &installed() {
    static std::optional<StoredTexts> texts;
    return texts;
}

} // namespace

QString Base64Decode(const QString &text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (alphabetValue(c) >= 0)
            kept.append(c);
    }
    int fill = 0;
    if (kept.endsWith(QLatin1Char('=')))
        ++fill;
    if (kept.endsWith(QLatin1String("==")))
        ++fill;
    const qsizetype outLength = (kept.size() / 4) * 3 - fill;

    QByteArray out;
    out.reserve(qMax<qsizetype>(outLength, 0));
    for (qsizetype i = 0; i + 3 < kept.size(); i += 4) {
        const int a = alphabetValue(kept[i]);
        const int b = alphabetValue(kept[i + 1]);
        const int c = alphabetValue(kept[i + 2]);
        const int d = alphabetValue(kept[i + 3]);
        const char bytes[3] = {static_cast<char>(a * 4 + b / 16),
                               static_cast<char>((b % 16) * 16 + c / 4),
                               static_cast<char>((c % 4) * 64 + d)};
        for (const char byte : bytes) {
            if (out.size() < outLength)
                out.append(byte);
        }
    }
    return core::fromAnsi(out);
}

QString DecodeStoredText(const QString &text) {
    return Base64Decode(Base64Decode(Base64Decode(text)));
}

bool IsSafeText(const QString &text) {
    return !(text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('\'')) ||
             text.contains(QLatin1String("--")) || text.contains(QLatin1String("/*")));
}

StoredTexts compiledStoredTexts() {
    StoredTexts t;
    t.host[0] = QStringLiteral(CAFE_STORED_HOST1);
    t.host[1] = QStringLiteral(CAFE_STORED_HOST2);
    t.host[2] = QStringLiteral(CAFE_STORED_HOST3);
    t.host[3] = QStringLiteral(CAFE_STORED_HOST4);
    t.host[4] = QStringLiteral(CAFE_STORED_HOST5);
    t.portP1 = QStringLiteral(CAFE_STORED_PORT_P1);
    t.portP2 = QStringLiteral(CAFE_STORED_PORT_P2);
    t.portP3 = QStringLiteral(CAFE_STORED_PORT_P3);
    t.user = QStringLiteral(CAFE_STORED_DB_USER);
    t.password = QStringLiteral(CAFE_STORED_DB_PASSWORD);
    t.lookup1 = QStringLiteral(CAFE_STORED_LOOKUP1);
    t.lookup2 = QStringLiteral(CAFE_STORED_LOOKUP2);
    t.lookup3 = QStringLiteral(CAFE_STORED_LOOKUP3);
    return t;
}

const StoredTexts &storedTexts() {
    if (!installed())
        installed() = compiledStoredTexts();
    return *installed();
}

void setStoredTexts(const StoredTexts &texts) {
    installed() = texts;
}

} // namespace db
