// The roster slot decoder on any bytes: a decoded slot always encodes back to exactly one
// slot's size, and the name read alone matches the full decoding.
#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

#include "roster/meibo_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const MeiboRecord record = MeiboRecord::fromBytes(bytes);
    if (record.toBytes().size() != MeiboRecord::byteSize)
        std::abort();
    if (MeiboRecord::namaeFromBytes(bytes) != record.get(MeiboRecord::Field::Namae))
        std::abort();
    return 0;
}
