#include "core/PostTo.h"

#include "support/PumpUntil.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

TEST(PostTo, RunsOnTheContextsThreadInTheOrderPosted)
{
    // A worker thread posts to an object of the window thread, the window thread to
    // an object of another thread: either way the work runs where the object lives.
    QThread other;
    auto* onOther = new QObject;
    onOther->moveToThread(&other);
    QObject::connect(&other, &QThread::finished, onOther, &QObject::deleteLater);
    other.start();
    QObject onWindow;

    std::atomic<QThread*> ranOn{nullptr};
    PostTo(onOther, [&] { ranOn = QThread::currentThread(); });
    ASSERT_TRUE(PumpUntil([&] { return ranOn.load() != nullptr; }));
    EXPECT_EQ(ranOn.load(), &other);

    std::vector<int> order;
    QThread* windowRanOn = nullptr;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i)
            PostTo(&onWindow, [&, i] {
                order.push_back(i);
                windowRanOn = QThread::currentThread();
            });
    });
    worker.join();
    EXPECT_TRUE(order.empty());  // later, never inside the poster's call
    ASSERT_TRUE(PumpUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(windowRanOn, QThread::currentThread());

    other.quit();
    other.wait();
}

TEST(PostTo, IsDroppedWhenTheContextGoesFirst)
{
    auto context = std::make_unique<QObject>();
    QObject witness;
    bool ran = false;
    bool later = false;
    std::thread worker([&] { PostTo(context.get(), [&] { ran = true; }); });
    worker.join();
    context.reset();
    PostTo(&witness, [&] { later = true; });
    ASSERT_TRUE(PumpUntil([&] { return later; }));
    EXPECT_FALSE(ran);
}
