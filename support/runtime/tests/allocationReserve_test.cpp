#include "support/runtime/allocationReserve.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// A heap that refuses the next `refusals` requests and counts the blocks it
// has handed out and not yet taken back.
int refusals = 0;
int blocksOut = 0;

void* fakeAllocate(std::size_t bytes) {
    if (refusals > 0) {
        --refusals;
        return nullptr;
    }
    ++blocksOut;
    return std::malloc(bytes);
}

void fakeRelease(void* block) {
    --blocksOut;
    std::free(block);
}

class AllocationReserveTest : public ::testing::Test {
protected:
    void SetUp() override {
        refusals = 0;
        blocksOut = 0;
        reserve.setAside();
    }
    void TearDown() override {
        // The reserve is the only block left.
        EXPECT_EQ(blocksOut, reserve.holdsReserve() ? 1 : 0);
    }
    AllocationReserve reserve{fakeAllocate, fakeRelease, 64};
};

TEST_F(AllocationReserveTest, AnOrdinaryRequestLeavesTheReserveAlone) {
    void* block = reserve.allocate(10);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(reserve.holdsReserve());
    EXPECT_FALSE(reserve.takeFailure());
    fakeRelease(block);
}

TEST_F(AllocationReserveTest, TheReserveStandsInOnceAndIsSetAsideAgainWhenAsked) {
    refusals = 1;
    void* block = reserve.allocate(10);
    ASSERT_NE(block, nullptr);
    EXPECT_FALSE(reserve.holdsReserve());
    EXPECT_TRUE(reserve.takeFailure());
    EXPECT_TRUE(reserve.holdsReserve());
    EXPECT_FALSE(reserve.takeFailure());
    fakeRelease(block);
}

TEST_F(AllocationReserveTest, NullOnlyWhenTheHeapRefusesEvenAfterTheReserve) {
    refusals = 2;
    EXPECT_EQ(reserve.allocate(10), nullptr);
    EXPECT_FALSE(reserve.holdsReserve());
    // With the reserve spent, a refusal is final at once.
    refusals = 1;
    EXPECT_EQ(reserve.allocate(10), nullptr);
    EXPECT_TRUE(reserve.takeFailure());
    EXPECT_TRUE(reserve.holdsReserve());
}

}  // namespace
