// The object protocol: class records and identity, kind-of walks, equality, assignment,
// reset, cloning, and the counted family with its owner pattern.
#include "runtime/core/rix_object.h"
#include "runtime/core/ref_object.h"
#include "runtime/core/rix_object_pointer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A three-level hierarchy (Animal -> Dog -> Puppy) and a sibling of Dog (Cat).
class Animal : public CRixObject {
    RIX_OBJECT(Animal, CRixObject, "test::Animal")
public:
    int64_t legs = 4;

protected:
    bool RixEqualFields(const Animal& o) const { return legs == o.legs; }
    void RixCopyFields(const Animal& o) { legs = o.legs; }
    void RixResetFields() { legs = 4; }
};

class Dog : public Animal {
    RIX_OBJECT(Dog, Animal, "test::Dog")
public:
    int64_t barks = 0;

protected:
    bool RixEqualFields(const Dog& o) const { return barks == o.barks; }
    void RixCopyFields(const Dog& o) { barks = o.barks; }
    void RixResetFields() { barks = 0; }
};

class Puppy : public Dog {
    RIX_OBJECT(Puppy, Dog, "test::Puppy")
    RIX_NO_OWN_FIELDS(Puppy)
};

class Cat : public Animal {
    RIX_OBJECT(Cat, Animal, "test::Cat")
    RIX_NO_OWN_FIELDS(Cat)
};

// Counts the BeforeOverwrite calls that Assign and Reset must make first.
class Watched : public CRixObject {
    RIX_OBJECT(Watched, CRixObject, "test::Watched")
    RIX_NO_OWN_FIELDS(Watched)
public:
    int overwrites = 0;
    void BeforeOverwrite() override { ++overwrites; }
};

TEST(ClassNameHash, MatchesValuesWorkedByHand) {
    struct Case {
        const char* name;
        uint32_t hash;
    };
    // abc: ((97 * 5 + 98) * 5 + 99) = 3014, made odd: 3015.
    // A: 65 is odd already. The empty name: 0 made odd is 1.
    // \xff is -1 as a signed byte: 'a' * 5 - 1 = 484, made odd: 485.
    const Case cases[] = {{"abc", 3015}, {"A", 65}, {"", 1}, {"a\xff", 485}};
    for (const Case& c : cases)
        EXPECT_EQ(ClassNameHash(c.name), c.hash) << c.name;
}

TEST(ClassNameHash, IsAlwaysOddAndNonNegative) {
    // Long names overflow 32 bits many times over.
    for (const char* name : {"CWString", "rg_lch_jb::rg_wbshzl", "rg_lch_MFCjm_jb::rg_ann",
                             "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz"}) {
        uint32_t h = ClassNameHash(name);
        EXPECT_EQ(h & 1u, 1u) << name;
        EXPECT_EQ(h & 0x80000000u, 0u) << name;
    }
}

TEST(SameClass, RecordsWithTheSameNameAreOneClass) {
    ClassInfo a = MakeClassInfo("CWString", nullptr);
    ClassInfo b = MakeClassInfo("CWString", nullptr);
    EXPECT_TRUE(SameClass(&a, &b));
    EXPECT_TRUE(SameClass(&a, &a));
}

TEST(SameClass, NamesDifferingInOneByteAreNotEvenWhenHashesCollide) {
    ClassInfo a = MakeClassInfo("CWStrinG", nullptr);
    ClassInfo b = MakeClassInfo("CWString", nullptr);
    b.nNameHash = a.nNameHash; // force a collision
    EXPECT_FALSE(SameClass(&a, &b));
    ClassInfo shorter = MakeClassInfo("CWStrin", nullptr);
    shorter.nNameHash = b.nNameHash;
    EXPECT_FALSE(SameClass(&shorter, &b));
}

TEST(ClassRecord, IsBuiltOnceWithItsFields) {
    const ClassInfo* r = Dog::ClassRecord();
    EXPECT_EQ(r, Dog::ClassRecord());
    EXPECT_EQ(r->nMarker, 1);
    EXPECT_STREQ(r->pszName, "test::Dog");
    EXPECT_EQ(r->nNameLength, 9);
    EXPECT_EQ(r->nNameHash, ClassNameHash("test::Dog"));
    CRixObject* made = r->pfnCreate();
    EXPECT_TRUE(SameClass(made->GetClassInfo(), r));
    made->DeleteThis();
}

TEST(IsKindOf, WalksTheBasesAndMissesSiblings) {
    Puppy puppy;
    EXPECT_TRUE(puppy.IsKindOf(Puppy::ClassRecord()));
    EXPECT_TRUE(puppy.IsKindOf(Dog::ClassRecord()));
    EXPECT_TRUE(puppy.IsKindOf(Animal::ClassRecord()));
    EXPECT_TRUE(puppy.IsKindOf(CRixObject::ClassRecord()));
    EXPECT_FALSE(puppy.IsKindOf(Cat::ClassRecord()));
    Dog dog;
    EXPECT_FALSE(dog.IsKindOf(Puppy::ClassRecord()));
    // A separately built record of the same name counts as the class.
    ClassInfo alias = MakeClassInfo("test::Animal", nullptr);
    EXPECT_TRUE(puppy.IsKindOf(&alias));
}

TEST(Assign, BaseIntoDerivedIsRefusedAndChangesNothing) {
    Animal animal;
    animal.legs = 3;
    Dog dog;
    dog.legs = 4;
    dog.barks = 9;
    EXPECT_EQ(dog.Assign(animal), 0);
    EXPECT_EQ(dog.legs, 4);
    EXPECT_EQ(dog.barks, 9);
}

TEST(Assign, DerivedIntoBaseCopiesOnlyTheBaseFields) {
    Dog dog;
    dog.legs = 3;
    dog.barks = 9;
    dog.SetData(77);
    dog.SetEmptyObject(true);
    Animal animal;
    EXPECT_EQ(animal.Assign(dog), 1);
    EXPECT_EQ(animal.legs, 3);
    EXPECT_EQ(animal.GetData(), 77);
    EXPECT_TRUE(animal.IsEmptyObject());
    EXPECT_TRUE(SameClass(animal.GetClassInfo(), Animal::ClassRecord()));
}

TEST(Assign, SiblingIsRefusedAndBeforeOverwriteRunsOnlyOnSuccess) {
    Cat cat;
    Dog dog;
    EXPECT_EQ(dog.Assign(cat), 0);
    Watched w, other;
    EXPECT_EQ(w.Assign(dog), 0);
    EXPECT_EQ(w.overwrites, 0);
    EXPECT_EQ(w.Assign(other), 1);
    EXPECT_EQ(w.overwrites, 1);
    w.Reset();
    EXPECT_EQ(w.overwrites, 2);
}

TEST(IsEqual, ComparesClassFlagsSecondWordAndFields) {
    Dog a, b;
    EXPECT_EQ(a.IsEqual(b), 1);
    b.barks = 1;
    EXPECT_EQ(a.IsEqual(b), 0);
    b.barks = 0;
    b.SetData(5);
    EXPECT_EQ(a.IsEqual(b), 0) << "second word differs";
    b.SetData(0);
    b.SetEmptyObject(true);
    EXPECT_EQ(a.IsEqual(b), 0) << "the empty-object flag alone makes them unequal";
    b.SetEmptyObject(false);
    Puppy p;
    EXPECT_EQ(a.IsEqual(p), 0) << "a derived class never equals its base";
    EXPECT_EQ(p.IsEqual(a), 0);
}

// Two unrelated classes registered under one name: by name they are one class, but neither may
// read the other's fields, so Assign refuses and IsEqual answers 0 both ways.
class Twin : public CRixObject {
    RIX_OBJECT(Twin, CRixObject, "test::Twin")
public:
    int64_t value = 1;

protected:
    bool RixEqualFields(const Twin& o) const { return value == o.value; }
    void RixCopyFields(const Twin& o) { value = o.value; }
    void RixResetFields() { value = 1; }
};

class OtherTwin : public CRixObject {
    RIX_OBJECT(OtherTwin, CRixObject, "test::Twin")
public:
    char text[64] = "unrelated bytes where Twin keeps its value";

protected:
    bool RixEqualFields(const OtherTwin& o) const { return std::strcmp(text, o.text) == 0; }
    void RixCopyFields(const OtherTwin& o) { std::memcpy(text, o.text, sizeof text); }
    void RixResetFields() { text[0] = 0; }
};

TEST(SameName, UnrelatedClassesOfOneNameNeitherAssignNorCompare) {
    ASSERT_TRUE(SameClass(Twin::ClassRecord(), OtherTwin::ClassRecord()));
    Twin twin;
    OtherTwin other;
    EXPECT_EQ(twin.Assign(other), 0);
    EXPECT_EQ(twin.value, 1);
    EXPECT_EQ(other.Assign(twin), 0);
    EXPECT_STREQ(other.text, "unrelated bytes where Twin keeps its value");
    EXPECT_EQ(twin.IsEqual(other), 0);
    EXPECT_EQ(other.IsEqual(twin), 0);
    Twin second;
    EXPECT_EQ(second.Assign(twin), 1);
    EXPECT_EQ(second.IsEqual(twin), 1);
}

TEST(Reset, RestoresDefaultsIncludingTheEmptyFlag) {
    Dog dog;
    dog.legs = 1;
    dog.barks = 2;
    dog.SetData(3);
    dog.SetEmptyObject(true);
    dog.Reset();
    EXPECT_EQ(dog.IsEqual(Dog()), 1);
    EXPECT_FALSE(dog.IsEmptyObject());
}

TEST(CloneAndCreateNew, GiveObjectsOfTheSameClassInThePool) {
    Puppy p;
    p.barks = 4;
    p.SetData(8);
    CRixObject* clone = p.Clone();
    CRixObject* fresh = p.CreateNew();
    EXPECT_TRUE(GetMemManager().Contains(clone));
    EXPECT_EQ(clone->IsEqual(p), 1);
    EXPECT_TRUE(SameClass(fresh->GetClassInfo(), Puppy::ClassRecord()));
    EXPECT_EQ(fresh->IsEqual(Puppy()), 1);
    DeleteThis(clone);
    DeleteThis(fresh);
    DeleteThis(nullptr); // does nothing
}

// Records its deletion so the tests can see when Release really deleted.
class Counted : public CRefObject {
public:
    explicit Counted(int* log) : m_log(log) {}
    ~Counted() override { *m_log += 10; }
    void OnFinalRelease() override { *m_log += 1; }

private:
    int* m_log;
};

TEST(RefObject, TheReleaseThatTakesTheCountToZeroDeletes) {
    int log = 0;
    auto* obj = new Counted(&log);
    EXPECT_EQ(obj->RefCount(), 1);
    obj->AddRef();
    EXPECT_EQ(obj->Release(), 0);
    EXPECT_EQ(log, 0);
    EXPECT_EQ(obj->Release(), 1);
    EXPECT_EQ(log, 11) << "OnFinalRelease, then the destructor";
}

TEST(RefObject, ReportsTheCountedRootClassByName) {
    CRixObjectPointer* ptr = new CRixObjectPointer();
    ClassNameInfo alias = MakeClassNameInfo("CRefObject");
    EXPECT_EQ(ptr->IsClass(&alias), 1);
    ClassNameInfo other = MakeClassNameInfo("CRixObjectPointer");
    EXPECT_EQ(ptr->IsClass(&other), 0);
    ptr->Release();
}

// An owner that hands out a counted pointer to itself, as controls' owners do.
class Owner : public CRixObject {
    RIX_OBJECT(Owner, CRixObject, "test::Owner")
    RIX_NO_OWN_FIELDS(Owner)
public:
    Owner() : self(new CRixObjectPointer(this)) {}
    Owner(const Owner&) : CRixObject(), self(new CRixObjectPointer(this)) {}
    ~Owner() override { self->DetachOwner(); }
    CRixObjectPointer* self;
};

TEST(RixObjectPointer, HolderSeesNullTargetAfterItsOwnerIsDestroyed) {
    auto* owner = new Owner();
    CRixObjectPointer* held = owner->self;
    held->AddRef();
    EXPECT_EQ(held->GetTarget(), owner);
    owner->DeleteThis();
    EXPECT_EQ(held->GetTarget(), nullptr);
    EXPECT_EQ(held->Release(), 1) << "the holder's release is the last one";
}

} // namespace
