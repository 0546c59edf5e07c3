// Any bytes as a match file for any member count: refused or read; what is read writes and reads back
// alike.
#include "FuzzCheck.h"
#include "matches/MatchFile.h"
#include "records/MemberList.h"

#include <QBuffer>

using namespace tandemx;

static QByteArray write(const std::vector<TMatchCalcObj>& matches, int memberCount)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    int errorMatch = 0;
    FUZZ_CHECK(writeMatchFile(buf, matches, memberCount, &errorMatch) == 0);
    return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first two bytes give the member count of the open member file.
    if (size < 2)
        return 0;
    const int memberCount = (data[0] | data[1] << 8) % (MaxMembers + 1);
    QByteArray bytes(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    const MatchFileContents first = readMatchFile(in, memberCount);
    // A damaged file keeps the matches read before the damage; they write and read back like any.
    if (first.errorState != 0 && first.matches.empty())
        return 0;
    for (const TMatchCalcObj& m : first.matches)
        FUZZ_CHECK(int(m.calcs.size()) == memberCount + 1);
    QByteArray written = write(first.matches, memberCount);
    QBuffer again(&written);
    again.open(QIODevice::ReadOnly);
    const MatchFileContents second = readMatchFile(again, memberCount);
    FUZZ_CHECK(second.errorState == 0);
    FUZZ_CHECK(second.matches.size() == first.matches.size());
    FUZZ_CHECK(write(second.matches, memberCount) == written);
    return 0;
}
