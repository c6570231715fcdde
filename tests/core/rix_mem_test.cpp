// CRixMem: growth-step arithmetic, the direct path for small appends, range removal, copying.
#include "runtime/core/rix_mem.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/wstring.h"
#include "tests/core/text_testing.h"
#include "tests/support/exit_status.h"
#include "tests/support/process_exit.h"

namespace {

std::string Bytes(const CRixMem& mem) {
    return std::string(reinterpret_cast<const char*>(mem.GetDataPtr()),
                       static_cast<size_t>(mem.GetLength()));
}

void Fill(CRixMem& mem, const std::string& bytes) {
    BYTE* data = mem.SetLength(static_cast<int64_t>(bytes.size()));
    std::memcpy(data, bytes.data(), bytes.size());
}

struct CapacityCase {
    int64_t step;
    std::vector<int64_t> lengths; // SetLength calls in order
    int64_t capacity;             // capacity after the last one
};

TEST(RixMemTest, CapacityFollowsGrowthStep) {
    const CapacityCase cases[] = {
        {254, {2}, 254},        {254, {253}, 254},
        {254, {254}, 508},      {254, {500, 250}, 254}, // more than one step spare: shrinks
        {254, {500, 300}, 508},                         // at most one step spare: stays
        {254, {2, 254}, 254},                           // exactly full: stays
        {254, {2, 255}, 508},                           // too small: grows
        {254, {2, 253}, 254},   {64, {1}, 64},
        {64, {64}, 128},        {0, {1}, 64}, // a step of 0 or less counts as 64
        {-7, {65}, 128},        {256, {264}, 512},
    };
    for (const CapacityCase& c : cases) {
        CRixMem mem(c.step);
        for (int64_t n : c.lengths)
            EXPECT_NE(mem.SetLength(n), nullptr);
        EXPECT_EQ(mem.GetCapacity(), c.capacity)
            << "step " << c.step << ", last length " << c.lengths.back();
        EXPECT_EQ(mem.GetLength(), c.lengths.back());
    }
}

TEST(RixMemTest, ContentsSurviveGrowthAndShrink) {
    CRixMem mem(16);
    Fill(mem, "0123456789");
    mem.SetLength(1000);
    EXPECT_EQ(std::memcmp(mem.GetDataPtr(), "0123456789", 10), 0);
    mem.SetLength(4);
    EXPECT_EQ(mem.GetCapacity(), 16);
    EXPECT_EQ(Bytes(mem), "0123");
}

TEST(RixMemTest, LengthZeroFreesButResetKeepsStorage) {
    CRixMem freed;
    freed.SetLength(10);
    EXPECT_EQ(freed.SetLength(0), nullptr);
    EXPECT_EQ(freed.GetDataPtr(), nullptr);
    EXPECT_EQ(freed.GetCapacity(), 0);

    CRixMem reset;
    BYTE* data = reset.SetLength(10);
    reset.Reset();
    EXPECT_EQ(reset.GetLength(), 0);
    EXPECT_EQ(reset.GetDataPtr(), data);
    EXPECT_EQ(reset.GetCapacity(), 64);
}

TEST(RixMemTest, PrepareLengthOnEmptyBuffer) {
    CRixMem mem(254);
    EXPECT_EQ(mem.PrepareLength(0), nullptr);
    EXPECT_EQ(mem.GetDataPtr(), nullptr);
    EXPECT_NE(mem.PrepareLength(6), nullptr);
    EXPECT_EQ(mem.GetLength(), 6);
    EXPECT_EQ(mem.GetCapacity(), 254);
}

TEST(RixMemTest, NegativeLengthChangesNothing) {
    CRixMem mem;
    Fill(mem, "abc");
    mem.SetLength(-1);
    EXPECT_EQ(Bytes(mem), "abc");
}

// Appends of 1, 2, 4 or 8 bytes bypass the size logic, so after a Reset they leave the spare
// capacity alone; any other size goes through SetLength, which gives back the excess.
TEST(RixMemTest, SmallAppendsBypassSizeLogic) {
    for (int64_t size : {1, 2, 4, 8}) {
        CRixMem mem(254);
        mem.SetLength(500);
        mem.Reset();
        ASSERT_EQ(mem.GetCapacity(), 508);
        const char bytes[8] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
        mem.Append(bytes, size);
        EXPECT_EQ(mem.GetCapacity(), 508) << size;
        EXPECT_EQ(Bytes(mem), std::string(bytes, static_cast<size_t>(size)));
    }
    CRixMem mem(254);
    mem.SetLength(500);
    mem.Reset();
    mem.Append("abc", 3);
    EXPECT_EQ(mem.GetCapacity(), 254);
    EXPECT_EQ(Bytes(mem), "abc");
}

// A null source is an empty one on every path, the direct stores for 1, 2, 4 and 8 bytes
// included (those used to read through the pointer when the bytes fitted).
TEST(RixMemTest, AppendOfNullAppendsNothing) {
    for (int64_t size : {1, 2, 3, 4, 8, 16}) {
        CRixMem mem;
        Fill(mem, "ab");
        ASSERT_GT(mem.GetCapacity() - mem.GetLength(), size);
        mem.Append(nullptr, size);
        EXPECT_EQ(Bytes(mem), "ab") << size;
    }
}

// A buffer that counts the block moves it asks for.
class CountingMem : public CRixMem {
public:
    explicit CountingMem(int64_t step) : CRixMem(step) {}
    void* ReallocMem(void* p, int64_t size) override {
        ++reallocs;
        return CRixMem::ReallocMem(p, size);
    }
    int reallocs = 0;
};

// Capacity follows the step rule exactly, but the block underneath grows geometrically: a
// buffer built by 8-byte appends to 1 MiB (4,096 steps of 256 bytes) asks for a new block a
// few dozen times at most, not once per step. Shrinking far gives the block back.
TEST(RixMemTest, LargeBuffersGrowTheirBlockGeometrically) {
    CountingMem mem(256);
    const int64_t slot = 0x0123456789ABCDEF;
    int64_t capacity = 0; // by the step rule: an append that does not fit sets the length
    for (int64_t i = 0; i < (1 << 20) / 8; ++i) {
        mem.Append(&slot, 8);
        if (mem.GetLength() > capacity)
            capacity = 256 + mem.GetLength() - mem.GetLength() % 256;
        ASSERT_EQ(mem.GetCapacity(), capacity) << i;
    }
    EXPECT_LE(mem.reallocs, 40);
    int64_t value = 0;
    std::memcpy(&value, mem.GetDataPtr() + mem.GetLength() - 8, 8);
    EXPECT_EQ(value, slot);

    mem.reallocs = 0;
    mem.SetLength(1000);
    EXPECT_EQ(mem.GetCapacity(), 1024);
    EXPECT_EQ(mem.reallocs, 1);
    std::memcpy(&value, mem.GetDataPtr() + 992, 8);
    EXPECT_EQ(value, slot);
}

TEST(RixMemTest, AppendsAcrossSteps) {
    CRixMem mem(8);
    std::string expected;
    for (int i = 0; i < 100; ++i) {
        char c = static_cast<char>('A' + i % 26);
        mem.Append(&c, 1);
        expected += c;
    }
    mem.Append("xyz", 3);
    expected += "xyz";
    EXPECT_EQ(Bytes(mem), expected);
    EXPECT_EQ(mem.GetCapacity(), 104);
}

TEST(RixMemTest, AppendOfOwnBytes) {
    CRixMem mem(4);
    Fill(mem, "abc");
    mem.Append(mem.GetDataPtr(), 3); // storage moves while its bytes are read
    mem.Append(mem.GetDataPtr() + 1, 5);
    EXPECT_EQ(Bytes(mem), "abcabcbcabc");
}

TEST(RixMemTest, AppendWideTextAndUnits) {
    CRixMem mem;
    mem.AppendWideText(TEXT("ab"));
    mem.AppendWideText(nullptr);
    mem.AppendWideText(TEXT(""));
    mem.AppendWideUnits(TEXT("c"));
    mem.AppendWideUnits(nullptr);
    mem.AppendWideUnits(TEXT(""));
    const WCHAR expected[] = {'a', 'b', 0, 0, 0, 'c'};
    ASSERT_EQ(mem.GetLength(), static_cast<int64_t>(sizeof expected));
    EXPECT_EQ(std::memcmp(mem.GetDataPtr(), expected, sizeof expected), 0);
}

struct RemoveCase {
    int64_t offset;
    int64_t count;
    const char* after; // nullptr: storage given back
};

TEST(RixMemTest, RemoveRange) {
    const RemoveCase cases[] = {
        {2, 3, "ABFGH"},     {0, 1, "BCDEFGH"}, {7, 1, "ABCDEFG"},  {5, 10, "ABCDE"},
        {0, 8, nullptr},     {0, 99, nullptr},  {8, 2, "ABCDEFGH"}, {3, 0, "ABCDEFGH"},
        {3, -2, "ABCDEFGH"}, {-1, 3, "ABCDE"},  {-5, 8, nullptr},   {-1, 20, nullptr},
    };
    for (const RemoveCase& c : cases) {
        CRixMem mem;
        Fill(mem, "ABCDEFGH");
        mem.RemoveRange(c.offset, c.count);
        if (c.after == nullptr) {
            EXPECT_EQ(mem.GetDataPtr(), nullptr) << c.offset << "," << c.count;
            EXPECT_EQ(mem.GetLength(), 0);
        } else {
            EXPECT_EQ(Bytes(mem), c.after) << c.offset << "," << c.count;
        }
    }
}

TEST(RixMemTest, CopyFromTakesHeaderAndBytesButKeepsStep) {
    CRixMem source(16);
    Fill(source, "hello");
    source.SetData(42);
    source.SetEmptyObject(true);
    CRixMem target(254);
    target.CopyFrom(source);
    EXPECT_EQ(Bytes(target), "hello");
    EXPECT_EQ(target.GetData(), 42);
    EXPECT_TRUE(target.IsEmptyObject());
    EXPECT_EQ(target.GetGrowthStep(), 254);
    EXPECT_EQ(target.GetCapacity(), 254);
    EXPECT_NE(target.GetDataPtr(), source.GetDataPtr());
    EXPECT_EQ(target.IsEqual(source), 1);

    target.CopyFrom(target);
    EXPECT_EQ(Bytes(target), "hello");

    CRixMem empty;
    target.CopyFrom(empty);
    EXPECT_EQ(target.GetLength(), 0);
    EXPECT_EQ(target.GetDataPtr(), nullptr);
}

TEST(RixMemTest, EqualityComparesLengthAndBytes) {
    CRixMem a, b;
    Fill(a, "abc");
    Fill(b, "abd");
    EXPECT_EQ(a.IsEqual(b), 0);
    Fill(b, "abc");
    EXPECT_EQ(a.IsEqual(b), 1);
    b.SetLength(2);
    EXPECT_EQ(a.IsEqual(b), 0);
    CRixMem c, d;
    EXPECT_EQ(c.IsEqual(d), 1);
    b.SetData(1);
    Fill(b, "abc");
    EXPECT_EQ(a.IsEqual(b), 0); // the second word differs
}

TEST(RixMemTest, ObjectProtocol) {
    CRixMem mem(32);
    Fill(mem, "data");
    CRixObject* clone = mem.Clone();
    EXPECT_EQ(clone->IsEqual(mem), 1);
    EXPECT_NE(static_cast<CRixMem*>(clone)->GetDataPtr(), mem.GetDataPtr());
    DeleteThis(clone);

    CWString text(TEXT("x"));
    EXPECT_EQ(mem.Assign(text), 0);
    EXPECT_EQ(Bytes(mem), "data");
    CRixMem other;
    EXPECT_EQ(other.Assign(mem), 1);
    EXPECT_EQ(Bytes(other), "data");
}

TEST(RixMemDeathTest, HugeLengthEndsProcessAsExhaustedMemory) {
    EXPECT_PROCESS_EXIT(
        {
            CRixMem mem;
            mem.SetLength(INT64_MAX);
        },
        ExitedWithMinusOne, "");
    EXPECT_PROCESS_EXIT(
        {
            CRixMem mem;
            mem.SetLength(1);
            mem.Append("x", INT64_MAX);
        },
        ExitedWithMinusOne, "");
}

} // namespace
