// One libFuzzer program per target; REELBOX_FUZZ_TARGET names it.
#include "fuzz_targets.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_targets::Target* target = fuzz_targets::byName(REELBOX_FUZZ_TARGET);
    if (!target)
        std::abort();
    target->run(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
