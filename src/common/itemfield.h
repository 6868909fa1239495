#pragma once

#include <QString>

// Plain text helpers of the code-and-text items ("3 : Backup-1") and input filters.
namespace common {

// Field n (1-based) of text split at a one-character separator, trimmed. A negative n counts
// from the end (-1 the last field) and, passed by pointer, is written back as count + n + 2.
// With no separator in the text, field 1 is the trimmed text and any higher field the whole,
// untrimmed text; with a separator, a field beyond the last is empty.
QString GetItemField(const QString &text, const QString &separator, int *n);
QString GetItemField(const QString &text, const QString &separator, int n);

// The characters of text that occur in allowed, in their order.
QString KeepCharacters(const QString &text, const QString &allowed);

// Proper case: first letter of every word capital, the rest small.
QString properCase(const QString &text);

} // namespace common
