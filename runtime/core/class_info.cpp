// Class name hashing and class identity.
#include "runtime/core/class_info.h"

#include <cstring>

uint32_t ClassNameHash(const char* name) {
    uint32_t h = 0;
    for (const char* p = name; *p != '\0'; ++p)
        h = h * 5u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(*p)));
    return (h | 1u) & 0x7FFFFFFFu;
}

ClassInfo MakeClassInfo(const char* name, CRixObject* (*create)()) {
    return ClassInfo{1, create, name, static_cast<int64_t>(std::strlen(name)), ClassNameHash(name)};
}

ClassNameInfo MakeClassNameInfo(const char* name) {
    return ClassNameInfo{name, static_cast<int64_t>(std::strlen(name)), ClassNameHash(name)};
}

namespace {
template <typename Record> bool SameName(const Record* a, const Record* b) {
    return a->nNameHash == b->nNameHash && a->nNameLength == b->nNameLength &&
           std::memcmp(a->pszName, b->pszName, static_cast<size_t>(a->nNameLength)) == 0;
}
} // namespace

bool SameClass(const ClassInfo* a, const ClassInfo* b) {
    if (a == b)
        return true;
    if (a == nullptr || b == nullptr)
        return false;
    return SameName(a, b);
}

bool SameClassName(const ClassNameInfo* a, const ClassNameInfo* b) {
    if (a == nullptr || b == nullptr)
        return false;
    return SameName(a, b);
}
