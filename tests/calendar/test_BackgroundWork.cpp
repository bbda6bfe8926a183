#include "BackgroundWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace quillon {

TEST(BackgroundWork, SharesEveryItemOnceRunsPostedJobsInOrderAndHandsBackAFailure)
{
    BackgroundWork work;
    std::vector<std::atomic<int>> seen(1000);
    work.ForEach(seen.size(), [&](size_t k) { ++seen[k]; });
    for (const auto &count : seen)
        ASSERT_EQ(count, 1);
    work.ForEach(0, [](size_t) { FAIL() << "nothing to do"; });

    std::vector<int> order;
    for (int k = 0; k < 50; ++k)
        work.Post([&order, k] { order.push_back(k); });
    work.Wait();
    ASSERT_EQ(order.size(), 50u);
    for (int k = 0; k < 50; ++k)
        EXPECT_EQ(order[static_cast<size_t>(k)], k);

    // A failure on either thread reaches the caller, once; the work goes on after it.
    work.Post([] { throw std::runtime_error("on the other thread"); });
    EXPECT_THROW(work.Wait(), std::runtime_error);
    EXPECT_NO_THROW(work.Wait());
    EXPECT_THROW(work.ForEach(100, [](size_t k) { if (k == 60) throw std::runtime_error("item 60"); }), std::runtime_error);
    std::atomic<int> after{0};
    work.ForEach(10, [&](size_t) { ++after; });
    EXPECT_EQ(after, 10);
}

} // namespace quillon
