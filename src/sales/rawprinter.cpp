#include "sales/rawprinter.h"

namespace sales {
namespace {

RawPrinter *&installed() {
    static RawPrinter *printer = nullptr;
    return printer;
}

} // namespace

RawPrinter &rawPrinter() {
    if (installed())
        return *installed();
    static const std::unique_ptr<RawPrinter> platform = makePlatformPrinter();
    return *platform;
}

void setRawPrinter(RawPrinter *printer) {
    installed() = printer;
}

} // namespace sales
