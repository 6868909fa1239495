#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The receipt printer: bytes go unchanged to the workstation's default printer as one raw job.
namespace sales {

class RawPrinter {
public:
    virtual ~RawPrinter() = default;
    // Sends bytes as one raw job named jobName to the default printer. False when there is no
    // default printer or it cannot take the job.
    virtual bool printRaw(const QString &jobName, const QByteArray &bytes) = 0;
};

// The platform's printer, built in the file CMake chose for this platform.
std::unique_ptr<RawPrinter> makePlatformPrinter();

// The process-wide printer; the platform's one unless a test installed its own.
RawPrinter &rawPrinter();
// Installs a printer (tests); nullptr restores the platform's one. The caller keeps ownership.
void setRawPrinter(RawPrinter *printer);

} // namespace sales
