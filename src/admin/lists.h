#pragma once

#include "common/reportlist.h"
#include "db/reader.h"

#include <QList>
#include <QString>

// The four administrative lists of the data browser: columns, statements and rows.
namespace admin {

struct ListMode {
    QString view;                  // "Group", "Pengguna", "LogLogin", "LogPassword"
    QString title;                 // lblJudul
    QString addCaption;            // cmdCetak; empty: hidden
    QString editCaption;           // cmdFilter; empty: hidden
    QString countLabel;            // lblJumlah before the number
    QList<common::Column> columns; // spacer first
};

// The mode of a view; an unknown view gets the group mode's nothing: an empty title and no
// columns.
ListMode listMode(const QString &view);

const QString &groupListSql();
const QString &userListSql();
const QString &loginLogSql();
const QString &passwordLogSql();

// Rows of a view as sub-items 1.. in column order; a value that cannot be shown is empty.
db::Fill listRows(const QString &view);

// "dd-mm-yyyy" and "HH:MM:SS" of a server date or time text; empty when it is not one.
QString dateText(const QString &serverText);
QString timeText(const QString &serverText);

} // namespace admin
