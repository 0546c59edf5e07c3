// Any bytes as a member file: the reader never crashes, and what it reads writes and reads back alike.
#include "FuzzCheck.h"
#include "records/MemberFile.h"

#include <QBuffer>

using namespace tandemx;

static QByteArray write(MemberList& list)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    FUZZ_CHECK(writeMemberFile(buf, list));
    return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first two bytes are the club size of the key data, used when the header gives no count.
    if (size < 2)
        return 0;
    const int32_t clubSize = int16_t(data[0] | data[1] << 8);
    QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QString error;
    auto first = readMemberFile(in, clubSize, &error);
    if (!first) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    QByteArray written = write(*first);
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    auto second = readMemberFile(again, 0, &error);
    FUZZ_CHECK(second.has_value());
    FUZZ_CHECK(second->count() == first->count());
    FUZZ_CHECK(write(*second) == written);
    return 0;
}
