// libFuzzer target for the project-file reader: any bytes at all must be either refused or read
// into a mechanism that compiles, saves and reads back to the same file.

#include "kvcompiler.h"
#include "projectformat.h"
#include "session.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const auto fresh = [] {
        auto s = std::make_unique<Session>();
        s->ResetMechanism();
        return s;
    }();
    auto s = std::make_unique<Session>(*fresh);
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!readProjectBytes(bytes, *s))
        return 0;

    // Whatever a file could put in the records, the compiler reads inside them.
    const KvListing listing = compileKv(*s);
    if (listing.lines.isEmpty())
        __builtin_trap();

    // A mechanism that was read can be written, and reads back to the same file.
    const auto again = projectFileBytes(*s, nullptr);
    if (!again)
        __builtin_trap();
    auto back = std::make_unique<Session>(*fresh);
    if (!readProjectBytes(*again, *back))
        __builtin_trap();
    if (projectFileBytes(*back, nullptr) != again)
        __builtin_trap();
    return 0;
}
