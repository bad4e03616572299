#include "comkit/serialize.h"

#include <gtest/gtest.h>

#include <thread>

using COMMON_EX::CCMNEXCriticalSection;
using COMMON_EX::CMNEXList;

namespace {

struct Item {
    int v;
};

TEST(CMNEXList, RemovingFromEmptyReturnsNull)
{
    CMNEXList<Item> list;
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.RemoveTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetSpareCount(), 0);
}

TEST(CMNEXList, KeepsOrderAndRemovesFromBothEnds)
{
    Item a{1}, b{2}, c{3};
    CMNEXList<Item> list;
    list.AddTail(&a);
    auto* nb = list.AddTail(&b);
    list.AddTail(&c);
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetHead()->pItem, &a);
    EXPECT_EQ(list.GetHead()->pNext, nb);
    EXPECT_EQ(nb->pPrev, list.GetHead());
    EXPECT_EQ(list.GetTail()->pItem, &c);
    EXPECT_EQ(list.RemoveTail(), &c);
    EXPECT_EQ(list.RemoveHead(), &a);
    EXPECT_EQ(list.GetHead(), list.GetTail());
    EXPECT_EQ(list.Remove(list.GetHead()), &b);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetSpareCount(), 3);
}

TEST(CMNEXList, TwelveRemovalsKeepAtMostTenSpares)
{
    Item items[12];
    CMNEXList<Item> list;
    for (auto& it : items)
        list.AddTail(&it);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(list.RemoveHead(), &items[i]);
    EXPECT_EQ(list.GetSpareCount(), 10);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(CMNEXList, ForeignNodeIsRefused)
{
    Item a{1};
    CMNEXList<Item> one, other;
    one.AddTail(&a);
    auto* n = other.AddTail(&a);
    EXPECT_EQ(one.Remove(n), nullptr);
    EXPECT_EQ(one.GetCount(), 1);
    other.RemoveHead();
    one.RemoveHead();
}

TEST(CCMNEXCriticalSection, RecursiveLockIsReleasedForOtherThreads)
{
    CCMNEXCriticalSection cs;
    cs.Lock();
    cs.Lock();
    cs.Unlock();
    cs.Unlock();
    bool taken = false;
    std::thread t([&] {
        cs.Lock();
        taken = true;
        cs.Unlock();
    });
    t.join();
    EXPECT_TRUE(taken);
}

} // namespace
