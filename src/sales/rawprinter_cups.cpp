#include "sales/rawprinter.h"

#include <cups/cups.h>

namespace sales {
namespace {

class CupsPrinter : public RawPrinter {
public:
    bool printRaw(const QString &jobName, const QByteArray &bytes) override {
        // The default destination as the user sees it: lpoptions, LPDEST/PRINTER, then the
        // server's default.
        cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
        if (!dest)
            return false;
        const QByteArray printer(dest->name);
        cupsFreeDests(1, dest);

        const QByteArray title = jobName.toUtf8();
        const int job =
            cupsCreateJob(CUPS_HTTP_DEFAULT, printer.constData(), title.constData(), 0, nullptr);
        if (job == 0)
            return false;
        // CUPS_FORMAT_RAW: no filter touches the bytes on their way to the device.
        if (cupsStartDocument(CUPS_HTTP_DEFAULT, printer.constData(), job, title.constData(),
                              CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
            cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.constData(), job, 0);
            return false;
        }
        const bool written =
            cupsWriteRequestData(CUPS_HTTP_DEFAULT, bytes.constData(),
                                 static_cast<size_t>(bytes.size())) == HTTP_STATUS_CONTINUE;
        const bool finished =
            cupsFinishDocument(CUPS_HTTP_DEFAULT, printer.constData()) == IPP_STATUS_OK;
        if (!written || !finished) {
            cupsCancelJob2(CUPS_HTTP_DEFAULT, printer.constData(), job, 0);
            return false;
        }
        return true;
    }
};

} // namespace

std::unique_ptr<RawPrinter> makePlatformPrinter() {
    return std::make_unique<CupsPrinter>();
}

} // namespace sales
