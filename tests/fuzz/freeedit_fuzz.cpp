// libFuzzer entry: a project file through free edit, every value edited, saved and read back.
#include "tests/fuzz/freeeditdriver.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString finding = editRoundTrip(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!finding.isEmpty())
        qFatal("free edit: %s", qPrintable(finding)); // aborts, which the fuzzer reports with the input
    return 0;
}
