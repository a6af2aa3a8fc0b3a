// libFuzzer entry: random answer sequences against the wizard engine.
#include "tests/wizardfuzz/wizarddriver.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString broken = playWizard(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "records broken: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
