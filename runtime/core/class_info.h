// Run-time class records and class identity.
//
// Every class of the object family has one ClassInfo, built on first request (a function-local
// static, so concurrent first requests build it once) and never changed. Two records denote
// the same class when they are the same record or carry the same name: the hash and the
// length are compared first so that the name bytes are read only when both match.
#pragma once

#include <cstdint>

class CRixObject;

struct ClassInfo {
    int64_t nMarker;            // always 1
    CRixObject* (*pfnCreate)(); // the class's CreateNew, callable without an object
    const char* pszName;        // "CWString", "rg_lch_jb::rg_wbshzl", zero-terminated
    int64_t nNameLength;        // bytes, terminator excluded
    uint32_t nNameHash;         // ClassNameHash(pszName)
};

// The shorter record of the counted family and of CMStringArray.
struct ClassNameInfo {
    const char* pszName;
    int64_t nNameLength;
    uint32_t nNameHash;
};

// h = h * 5 + c over the bytes taken as signed 8-bit values, modulo 2^32; then forced odd and
// non-negative as a signed 32-bit value.
uint32_t ClassNameHash(const char* name);

ClassInfo MakeClassInfo(const char* name, CRixObject* (*create)());
ClassNameInfo MakeClassNameInfo(const char* name);

bool SameClass(const ClassInfo* a, const ClassInfo* b);
// The counted family compares by hash, length and bytes without looking at addresses first.
bool SameClassName(const ClassNameInfo* a, const ClassNameInfo* b);
