#pragma once

#include <QString>

// Message texts that several windows show.
namespace common::text {

inline const QString NoData = QStringLiteral("Tidak ada data!");
inline const QString Saved = QStringLiteral("Data telah disimpan");
inline const QString NotSaved = QStringLiteral("Data gagal disimpan!");

} // namespace common::text
