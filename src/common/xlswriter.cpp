#include "common/xlswriter.h"

#include <QFile>
#include <QHash>

#include <algorithm>

namespace xls {
namespace {

constexpr int kMaxRecordData = 8224;
constexpr int kMaxCellChars = 32767;

void putU8(QByteArray &b, quint8 v) {
    b.append(static_cast<char>(v));
}

void putU16(QByteArray &b, quint16 v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

void putU32(QByteArray &b, quint32 v) {
    putU16(b, static_cast<quint16>(v & 0xFFFF));
    putU16(b, static_cast<quint16>(v >> 16));
}

void setU32(QByteArray &b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void record(QByteArray &out, quint16 type, const QByteArray &data) {
    putU16(out, type);
    putU16(out, static_cast<quint16>(data.size()));
    out.append(data);
}

// Characters of a cell text: one byte each when all fit Latin-1, else UTF-16LE.
struct Chars {
    QByteArray bytes;
    bool wide = false;
    int count = 0;
};

Chars encode(const QString &text) {
    const QString t = text.left(kMaxCellChars);
    Chars c;
    c.count = static_cast<int>(t.size());
    c.wide = std::any_of(t.cbegin(), t.cend(), [](QChar ch) { return ch.unicode() > 0xFF; });
    c.bytes.reserve(t.size() * (c.wide ? 2 : 1));
    for (const QChar ch : t) {
        if (c.wide)
            putU16(c.bytes, ch.unicode());
        else
            putU8(c.bytes, static_cast<quint8>(ch.unicode()));
    }
    return c;
}

QByteArray bof(quint16 kind) {
    QByteArray d;
    putU16(d, 0x0600); // BIFF8
    putU16(d, kind);
    putU16(d, 0x0DBB); // build and year of the Excel 97 format
    putU16(d, 0x07CC);
    putU32(d, 0x00000041);
    putU32(d, 0x00000006);
    return d;
}

QByteArray font() {
    QByteArray d;
    putU16(d, 200); // 10 pt in twips
    putU16(d, 0);
    putU16(d, 0x7FFF); // automatic colour
    putU16(d, 400);    // normal weight
    putU16(d, 0);
    putU8(d, 0);
    putU8(d, 0);
    putU8(d, 0);
    putU8(d, 0);
    putU8(d, 5);
    putU8(d, 0);
    d.append("Arial");
    return d;
}

QByteArray xf(bool style) {
    QByteArray d;
    putU16(d, 0); // font
    putU16(d, 0); // General
    putU16(d, style ? 0xFFF5 : 0x0001);
    putU8(d, 0x20); // bottom aligned
    putU8(d, 0);
    putU8(d, 0);
    putU8(d, style ? 0xF4 : 0x00);
    putU32(d, 0);
    putU32(d, 0);
    putU16(d, 0x20C0); // default pattern colours
    return d;
}

// The shared string table with its CONTINUE records, and the EXTSST index over it. A string
// split across records repeats its option byte in the continuation.
class SstWriter {
public:
    SstWriter(qsizetype streamBase, quint32 total, quint32 unique)
        : base_(streamBase)
        , bucket_(std::max<quint32>(8, (unique + 127) / 128)) {
        putU32(cur_, total);
        putU32(cur_, unique);
    }

    void add(const QString &text) {
        const Chars c = encode(text);
        const int unit = c.wide ? 2 : 1;
        if (cur_.size() + 3 + (c.count ? unit : 0) > kMaxRecordData)
            flush();
        if (count_++ % bucket_ == 0) {
            const qsizetype inRecord = 4 + cur_.size();
            putU32(index_, static_cast<quint32>(base_ + out_.size() + inRecord));
            putU16(index_, static_cast<quint16>(inRecord));
            putU16(index_, 0);
        }
        putU16(cur_, static_cast<quint16>(c.count));
        putU8(cur_, c.wide ? 1 : 0);
        qsizetype done = 0;
        while (done < c.bytes.size()) {
            qsizetype room = (kMaxRecordData - cur_.size()) / unit * unit;
            if (room <= 0) {
                flush();
                putU8(cur_, c.wide ? 1 : 0);
                continue;
            }
            const qsizetype take = std::min(room, c.bytes.size() - done);
            cur_.append(c.bytes.constData() + done, take);
            done += take;
        }
    }

    QByteArray finish() {
        flush();
        QByteArray ext;
        putU16(ext, static_cast<quint16>(bucket_));
        ext.append(index_);
        record(out_, 0x00FF, ext);
        return out_;
    }

private:
    void flush() {
        record(out_, type_, cur_);
        cur_.clear();
        type_ = 0x003C;
    }

    qsizetype base_;
    quint32 bucket_;
    quint32 count_ = 0;
    quint16 type_ = 0x00FC;
    QByteArray cur_;
    QByteArray out_;
    QByteArray index_;
};

void putDirEntry(QByteArray &dir, const QString &name, quint8 type, quint32 child, quint32 start,
                 quint32 size) {
    QByteArray e(128, '\0');
    for (int i = 0; i < name.size() && i < 31; ++i) {
        e[2 * i] = static_cast<char>(name[i].unicode() & 0xFF);
        e[2 * i + 1] = static_cast<char>(name[i].unicode() >> 8);
    }
    const auto nameBytes =
        static_cast<quint16>(type ? 2 * (std::min<int>(name.size(), 31) + 1) : 0);
    e[64] = static_cast<char>(nameBytes & 0xFF);
    e[65] = static_cast<char>(nameBytes >> 8);
    e[66] = static_cast<char>(type);
    e[67] = static_cast<char>(type ? 1 : 0); // black
    setU32(e, 68, 0xFFFFFFFF);
    setU32(e, 72, 0xFFFFFFFF);
    setU32(e, 76, child);
    setU32(e, 116, start);
    setU32(e, 120, size);
    dir.append(e);
}

constexpr quint32 kFree = 0xFFFFFFFF;
constexpr quint32 kEnd = 0xFFFFFFFE;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kDifSect = 0xFFFFFFFC;

} // namespace

QString sheetNameError(const QString &sheetName) {
    if (sheetName.trimmed().isEmpty())
        return QStringLiteral("Nama worksheet kosong.");
    if (sheetName.size() > 31)
        return QStringLiteral("Nama worksheet lebih dari 31 karakter.");
    for (const QChar c : QStringLiteral("[]:*?/\\"))
        if (sheetName.contains(c))
            return QStringLiteral("Nama worksheet tidak boleh memuat %1").arg(c);
    return {};
}

QByteArray workbookStream(const QString &sheetName, const QList<QStringList> &rows) {
    // Shared strings, in order of first use.
    QHash<QString, quint32> ids;
    QStringList strings;
    quint32 cells = 0;
    int columns = 0;
    for (const QStringList &row : rows) {
        columns = std::max(columns, static_cast<int>(row.size()));
        for (const QString &text : row) {
            if (text.isEmpty())
                continue;
            ++cells;
            const QString key = text.left(kMaxCellChars);
            if (!ids.contains(key)) {
                ids.insert(key, static_cast<quint32>(strings.size()));
                strings.append(key);
            }
        }
    }

    QByteArray g;
    record(g, 0x0809, bof(0x0005));
    QByteArray cp;
    putU16(cp, 1200); // UTF-16 code page
    record(g, 0x0042, cp);
    QByteArray w1;
    for (quint16 v : {0, 0, 0x3A5C, 0x23BE, 0x0038, 0, 0, 1, 0x0258})
        putU16(w1, v);
    record(g, 0x003D, w1);
    for (int i = 0; i < 5; ++i) // font 4 is skipped by readers, so five give four usable
        record(g, 0x0031, font());
    for (int i = 0; i < 15; ++i)
        record(g, 0x00E0, xf(true));
    record(g, 0x00E0, xf(false));
    QByteArray style;
    putU16(style, 0x8000); // built-in style on XF 0
    putU8(style, 0);       // Normal
    putU8(style, 0xFF);
    record(g, 0x0293, style);

    const qsizetype sheetPosAt = g.size() + 4;
    QByteArray bs;
    putU32(bs, 0); // patched below
    putU8(bs, 0);  // visible
    putU8(bs, 0);  // worksheet
    const Chars name = encode(sheetName);
    putU8(bs, static_cast<quint8>(name.count));
    putU8(bs, name.wide ? 1 : 0);
    bs.append(name.bytes);
    record(g, 0x0085, bs);

    SstWriter sst(g.size(), cells, static_cast<quint32>(strings.size()));
    for (const QString &s : std::as_const(strings))
        sst.add(s);
    g.append(sst.finish());
    record(g, 0x000A, {});
    setU32(g, sheetPosAt, static_cast<quint32>(g.size()));

    QByteArray s;
    s.reserve(static_cast<qsizetype>(cells) * 14 + 256);
    record(s, 0x0809, bof(0x0010));
    QByteArray dim;
    putU32(dim, 0);
    putU32(dim, static_cast<quint32>(rows.size()));
    putU16(dim, 0);
    putU16(dim, static_cast<quint16>(columns));
    putU16(dim, 0);
    record(s, 0x0200, dim);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList &row = rows[r];
        for (int c = 0; c < row.size(); ++c) {
            if (row[c].isEmpty())
                continue;
            putU16(s, 0x00FD);
            putU16(s, 10);
            putU16(s, static_cast<quint16>(r));
            putU16(s, static_cast<quint16>(c));
            putU16(s, 15); // the cell XF
            putU32(s, ids.value(row[c].left(kMaxCellChars)));
        }
    }
    QByteArray w2;
    putU16(w2, 0x06B6);
    putU16(w2, 0);
    putU16(w2, 0);
    putU32(w2, 0x40);
    putU16(w2, 0);
    putU16(w2, 0);
    putU32(w2, 0);
    record(s, 0x023E, w2);
    record(s, 0x000A, {});

    g.append(s);
    return g;
}

QByteArray compoundFile(const QString &streamName, const QByteArray &streamIn) {
    // Streams below 4096 bytes would belong in the mini stream; padding avoids that.
    QByteArray stream = streamIn;
    if (stream.size() < 4096)
        stream.append(4096 - stream.size(), '\0');
    const auto dataSectors = static_cast<quint32>((stream.size() + 511) / 512);
    quint32 fatSectors = 1;
    quint32 difatSectors = 0;
    for (;;) {
        const quint32 total = fatSectors + difatSectors + dataSectors + 1;
        const quint32 f = (total + 127) / 128;
        const quint32 d = f > 109 ? (f - 109 + 126) / 127 : 0;
        if (f == fatSectors && d == difatSectors)
            break;
        fatSectors = f;
        difatSectors = d;
    }
    const quint32 firstData = fatSectors + difatSectors;
    const quint32 dirSector = firstData + dataSectors;

    QList<quint32> fat(fatSectors * 128, kFree);
    for (quint32 i = 0; i < fatSectors; ++i)
        fat[i] = kFatSect;
    for (quint32 i = 0; i < difatSectors; ++i)
        fat[fatSectors + i] = kDifSect;
    for (quint32 i = 0; i < dataSectors; ++i)
        fat[firstData + i] = i + 1 < dataSectors ? firstData + i + 1 : kEnd;
    fat[dirSector] = kEnd;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(dirSector + 2) * 512);
    out.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    out.append(16, '\0');
    putU16(out, 0x003E);
    putU16(out, 0x0003);
    putU16(out, 0xFFFE);
    putU16(out, 9);
    putU16(out, 6);
    out.append(6, '\0');
    putU32(out, 0);
    putU32(out, fatSectors);
    putU32(out, dirSector);
    putU32(out, 0);
    putU32(out, 4096);
    putU32(out, kEnd);
    putU32(out, 0);
    putU32(out, difatSectors ? fatSectors : kEnd);
    putU32(out, difatSectors);
    for (quint32 i = 0; i < 109; ++i)
        putU32(out, i < fatSectors ? i : kFree);

    for (quint32 v : std::as_const(fat))
        putU32(out, v);
    for (quint32 d = 0; d < difatSectors; ++d) {
        for (quint32 i = 0; i < 127; ++i) {
            const quint32 fatIndex = 109 + d * 127 + i;
            putU32(out, fatIndex < fatSectors ? fatIndex : kFree);
        }
        putU32(out, d + 1 < difatSectors ? fatSectors + d + 1 : kEnd);
    }
    out.append(stream);
    out.append(static_cast<qsizetype>(dataSectors) * 512 - stream.size(), '\0');

    putDirEntry(out, QStringLiteral("Root Entry"), 5, 1, kEnd, 0);
    putDirEntry(out, streamName, 2, kFree, firstData, static_cast<quint32>(stream.size()));
    putDirEntry(out, {}, 0, kFree, 0, 0);
    putDirEntry(out, {}, 0, kFree, 0, 0);
    return out;
}

bool writeNewWorkbook(const QString &path, const QString &sheetName, const QList<QStringList> &rows,
                      QString *error) {
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (const QString why = sheetNameError(sheetName); !why.isEmpty())
        return fail(why);
    if (rows.size() > kMaxRows)
        return fail(QStringLiteral("Lebih dari %1 baris tidak muat di workbook Excel 97-2003.")
                        .arg(kMaxRows));
    for (const QStringList &row : rows)
        if (row.size() > kMaxColumns)
            return fail(QStringLiteral("Lebih dari %1 kolom tidak muat di workbook Excel 97-2003.")
                            .arg(kMaxColumns));
    // Rows are never added to an existing workbook: its worksheet would already be there.
    if (QFile::exists(path))
        return fail(QStringLiteral("Worksheet '%1' sudah ada: file %2 sudah ada dan tidak diubah.")
                        .arg(sheetName, path));

    const QByteArray bytes =
        compoundFile(QStringLiteral("Workbook"), workbookStream(sheetName, rows));
    QFile file(path);
    // NewOnly: a file that appears meanwhile is refused rather than overwritten.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (file.error() == QFileDevice::OpenError && QFile::exists(path))
            return fail(
                QStringLiteral("Worksheet '%1' sudah ada: file %2 sudah ada dan tidak diubah.")
                    .arg(sheetName, path));
        return fail(QStringLiteral("File %1 tidak dapat dibuat: %2").arg(path, file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.close();
        file.remove();
        return fail(QStringLiteral("File %1 tidak dapat ditulis: %2").arg(path, why));
    }
    file.close();
    return true;
}

} // namespace xls
