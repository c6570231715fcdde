// Container dump headers.
#include "runtime/core/dump_header.h"

#include "runtime/core/wstring.h"

int64_t DumpShownCount(int64_t count, int64_t memberLimit, int64_t defaultLimit) {
    if (memberLimit < 0)
        return count;
    int64_t limit = memberLimit == 0 ? defaultLimit : memberLimit;
    return count > limit ? limit : count;
}

void AppendDumpHeader(CWString& out, const WCHAR* title, const WCHAR* unit, int64_t count,
                      int64_t shown) {
    if (shown == count)
        out.AppendFormat(TEXT("<%s> 总共 %I64d 个%s:"), title, static_cast<long long>(count), unit);
    else
        out.AppendFormat(TEXT("<%s> 总共 %I64d 个%s,输出了 %I64d 个,还有 %I64d 个未被输出."), title,
                         static_cast<long long>(count), unit, static_cast<long long>(shown),
                         static_cast<long long>(count - shown));
}
