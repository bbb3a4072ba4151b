// The roster slot decoder on any bytes: a decoded slot always encodes back to exactly one
// slot's size, and the name read alone matches the full decoding.
#include <QByteArrayView>

#include <cstdint>

#include "fuzz_check.h"
#include "roster/meibo_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const MeiboRecord record = MeiboRecord::fromBytes(bytes);
    require(record.toBytes().size() == MeiboRecord::byteSize);
    require(MeiboRecord::namaeFromBytes(bytes) == record.get(MeiboRecord::Field::Namae));
    return 0;
}
