// CRixObject, root of the object family, and RIX_OBJECT, which gives a class its class record
// and the value protocol (IsEqual, CreateNew, Clone, Assign, Reset, IsKindOf).
//
// A class of the family states its name and its base where it is declared:
//
//     class CWString : public CRixObject {
//         RIX_OBJECT(CWString, CRixObject, "CWString")
//     protected:
//         bool RixEqualFields(const CWString& other) const;  // own fields only
//         void RixCopyFields(const CWString& other);         // own fields only
//         void RixResetFields();                             // own fields to their defaults
//     ...
//
// and has a default and a copy constructor. The macro chains the three field operations through
// the bases, so each class speaks only of the fields it adds.
//
// Class identity is decided by record or name. Where a name match would let the fields of one
// C++ type be read as another's (two unrelated classes registered under one name), the copy
// and the comparison refuse instead: the checked cast costs little and rules out a wild read.
#pragma once

#include <cstdint>

#include "runtime/core/class_info.h"
#include "runtime/core/rix_common_base.h"

class CWString;

class CRixObject : public CRixCommonBaseWithMemManager {
public:
    // Bit 0 of the flags word: the object stands for no object at all (a placeholder).
    static constexpr uint64_t kEmptyObject = 1;

    CRixObject() = default;
    CRixObject(const CRixObject&) = default;
    CRixObject& operator=(const CRixObject&) = default;

    static const ClassInfo* ClassRecord();

    // The object protocol, in slot order after the five memory operations.
    virtual const ClassInfo* GetClassInfo() const { return ClassRecord(); }
    virtual int IsEqual(const CRixObject& other) const;
    virtual CRixObject* CreateNew() const;
    virtual CRixObject* Clone() const;
    virtual int Assign(const CRixObject& source);
    virtual void Reset();
    virtual ~CRixObject() = default;
    // Deletes the object. Use ::DeleteThis(p) where p may be null.
    virtual void DeleteThis() { delete this; }
    virtual int IsKindOf(const ClassInfo* info) const;
    // Appends the readable debug description; memberLimit bounds how many members of a
    // container are written.
    virtual void DumpToText(CWString& out, int64_t memberLimit) const;
    virtual void BeforeOverwrite() {}

    bool IsEmptyObject() const { return (m_nFlags & kEmptyObject) != 0; }
    void SetEmptyObject(bool empty) {
        m_nFlags = empty ? (m_nFlags | kEmptyObject) : (m_nFlags & ~kEmptyObject);
    }
    uint64_t GetFlags() const { return m_nFlags; }
    // The second word: a free tag value. Construction and Reset set it to 0.
    int64_t GetData() const { return m_nData; }
    void SetData(int64_t value) { m_nData = value; }

    static CRixObject* RixCreate();

protected:
    // The chained field operations. At this level they cover the two base words.
    bool RixEqualChain(const CRixObject& other) const {
        return (m_nFlags & kEmptyObject) == (other.m_nFlags & kEmptyObject) &&
               m_nData == other.m_nData;
    }
    void RixCopyChain(const CRixObject& other) {
        m_nFlags = other.m_nFlags;
        m_nData = other.m_nData;
    }
    void RixResetChain() {
        m_nFlags = 0;
        m_nData = 0;
    }

private:
    uint64_t m_nFlags = 0;
    int64_t m_nData = 0;
};

// DeleteThis that is safe on a null object, where it does nothing.
inline void DeleteThis(CRixObject* object) {
    if (object != nullptr)
        object->DeleteThis();
}

#define RIX_OBJECT(Class, Base, Name)                                                              \
public:                                                                                            \
    static const ClassInfo* ClassRecord() {                                                        \
        static const ClassInfo info = MakeClassInfo(Name, &Class::RixCreate);                      \
        return &info;                                                                              \
    }                                                                                              \
    static CRixObject* RixCreate() {                                                               \
        return new Class();                                                                        \
    }                                                                                              \
    const ClassInfo* GetClassInfo() const override {                                               \
        return ClassRecord();                                                                      \
    }                                                                                              \
    int IsEqual(const CRixObject& other) const override {                                          \
        if (!SameClass(ClassRecord(), other.GetClassInfo()))                                       \
            return 0;                                                                              \
        const Class* same = dynamic_cast<const Class*>(&other);                                    \
        return same != nullptr && RixEqualChain(*same) ? 1 : 0;                                    \
    }                                                                                              \
    CRixObject* CreateNew() const override {                                                       \
        return new Class();                                                                        \
    }                                                                                              \
    CRixObject* Clone() const override {                                                           \
        return new Class(*this);                                                                   \
    }                                                                                              \
    int Assign(const CRixObject& source) override {                                                \
        if (!source.IsKindOf(ClassRecord()))                                                       \
            return 0;                                                                              \
        const Class* from = dynamic_cast<const Class*>(&source);                                   \
        if (from == nullptr)                                                                       \
            return 0;                                                                              \
        BeforeOverwrite();                                                                         \
        RixCopyChain(*from);                                                                       \
        return 1;                                                                                  \
    }                                                                                              \
    void Reset() override {                                                                        \
        BeforeOverwrite();                                                                         \
        RixResetChain();                                                                           \
    }                                                                                              \
    int IsKindOf(const ClassInfo* info) const override {                                           \
        return SameClass(info, ClassRecord()) ? 1 : Base::IsKindOf(info);                          \
    }                                                                                              \
                                                                                                   \
protected:                                                                                         \
    bool RixEqualChain(const Class& other) const {                                                 \
        return Base::RixEqualChain(other) && RixEqualFields(other);                                \
    }                                                                                              \
    void RixCopyChain(const Class& other) {                                                        \
        Base::RixCopyChain(other);                                                                 \
        RixCopyFields(other);                                                                      \
    }                                                                                              \
    void RixResetChain() {                                                                         \
        Base::RixResetChain();                                                                     \
        RixResetFields();                                                                          \
    }                                                                                              \
                                                                                                   \
private:

// For a class that adds no fields of its own.
#define RIX_NO_OWN_FIELDS(Class)                                                                   \
protected:                                                                                         \
    bool RixEqualFields(const Class&) const {                                                      \
        return true;                                                                               \
    }                                                                                              \
    void RixCopyFields(const Class&) {}                                                            \
    void RixResetFields() {}                                                                       \
                                                                                                   \
private:
