#include "records/MemberList.h"

#include <algorithm>

namespace tandemx {

void MemberList::move(int from, int to)
{
    if (from == to)
        return;
    auto first = records_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

} // namespace tandemx
