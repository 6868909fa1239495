#pragma once

#include "sales/rawprinter.h"
#include "support/testwidgets.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>

class QDialog;

// Keeps every job instead of printing; `works` false plays a printer that cannot be opened.
class RecordingPrinter : public sales::RawPrinter {
public:
    struct Job {
        QString name;
        QByteArray bytes;
    };
    QList<Job> jobs;
    bool works = true;

    bool printRaw(const QString &jobName, const QByteArray &bytes) override {
        if (!works)
            return false;
        jobs.append({jobName, bytes});
        return true;
    }
};

namespace salesfx {

// The test server's clock, so that the workstation and server dates agree.
QDateTime serverNow();
// Empties the sale tables and loads three items, two campuses and a receipt layout.
void seed();
int rowCount(const QString &sql);

} // namespace salesfx
