#include "core/ansi.h"

#include <QList>

namespace core {
namespace {

// Unicode of 0x80-0x9F; the five unassigned bytes keep their C1 code points.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString fromAnsi(const QByteArray &bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b <= 0x9F ? QChar(kHigh[b - 0x80])
                                           : QChar(static_cast<char16_t>(b)));
    }
    return text;
}

QByteArray toAnsi(const QString &text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const uint u : text.toUcs4()) {
        char out = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out = static_cast<char>(u);
        } else {
            for (int i = 0; i < 32; ++i) {
                if (kHigh[i] == u) {
                    out = static_cast<char>(0x80 + i);
                    break;
                }
            }
        }
        bytes.append(out);
    }
    return bytes;
}

QString printableText(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (const uint u : text.toUcs4()) {
        if (u < 0x20 || u == 0x7F || u > 0xFFFF)
            out.append(QLatin1Char('?'));
        else
            out.append(QChar(static_cast<char16_t>(u)));
    }
    return out;
}

} // namespace core
