// Any bytes as a key-data file: read as far as they go, then written and read back alike.
#include "FuzzCheck.h"
#include "records/KeyData.h"

#include <QBuffer>

using namespace tandemx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    qint64 read = -1;
    const TConfigObj first = TConfigObj::read(in, &read);
    FUZZ_CHECK(read >= 0 && read <= TConfigObj::FileSize);
    QByteArray written = first.toBytes();
    FUZZ_CHECK(written.size() == TConfigObj::FileSize);
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    const TConfigObj second = TConfigObj::read(again, &read);
    FUZZ_CHECK(read == TConfigObj::FileSize);
    FUZZ_CHECK(second.toBytes() == written);
    return 0;
}
