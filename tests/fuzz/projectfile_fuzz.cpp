// libFuzzer target for the project-file reader: any bytes at all must be either refused or read
// into a mechanism that compiles, saves and reads back to the same file.

#include "files/kvcompiler.h"
#include "files/projectformat.h"
#include "model/session.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two sessions serve every run: the reader and the writer only touch the slots that the
    // counts cover, so what an earlier input left beyond them changes nothing checked here, and
    // not re-creating the records each time keeps the fuzzer fast.
    static Session* const first = [] {
        auto* s = new Session;
        s->ResetMechanism();
        return s;
    }();
    static Session* const second = [] {
        auto* s = new Session;
        s->ResetMechanism();
        return s;
    }();
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!readProjectBytes(bytes, *first))
        return 0;

    // Whatever a file could put in the records, the compiler reads inside them.
    const KvListing listing = compileKv(*first);
    if (listing.lines.isEmpty())
        __builtin_trap();

    // A mechanism that was read can be written, and reads back to the same file.
    const auto again = projectFileBytes(*first, nullptr);
    if (!again)
        __builtin_trap();
    if (!readProjectBytes(*again, *second))
        __builtin_trap();
    if (projectFileBytes(*second, nullptr) != again)
        __builtin_trap();
    return 0;
}
