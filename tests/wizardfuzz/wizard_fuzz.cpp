// libFuzzer entry: random answer sequences against the wizard engine.
#include "tests/wizardfuzz/wizarddriver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString broken = playWizard(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!broken.isEmpty())
        qFatal("records broken: %s", qPrintable(broken)); // aborts, which the fuzzer reports with the input
    return 0;
}
