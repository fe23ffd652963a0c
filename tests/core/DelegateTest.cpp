#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Event.h"

namespace {

using Delegate = GF::IDelegate1<void, int>;

struct CListener {
    std::vector<std::string>* journal;
    std::string name;
    void OnValue(int v) { journal->push_back(name + std::to_string(v)); }
    void Other(int) {}
};

std::vector<std::string>* g_journal = nullptr;
void FreeHandler(int v) {
    g_journal->push_back("free" + std::to_string(v));
}

TEST(Delegate, EqualityFollowsObjectAndFunction) {
    std::vector<std::string> journal;
    CListener a{&journal, "a"}, b{&journal, "b"};
    auto a1 = GF::CreateDelegate(&a, &CListener::OnValue);
    auto a2 = GF::CreateDelegate(&a, &CListener::OnValue);
    auto aOther = GF::CreateDelegate(&a, &CListener::Other);
    auto b1 = GF::CreateDelegate(&b, &CListener::OnValue);
    auto f1 = GF::CreateDelegate(&FreeHandler);
    auto f2 = GF::CreateDelegate(&FreeHandler);

    EXPECT_TRUE(a1->IsEqual(a2));
    EXPECT_FALSE(a1->IsEqual(aOther));
    EXPECT_FALSE(a1->IsEqual(b1));
    EXPECT_TRUE(f1->IsEqual(f2));
    EXPECT_FALSE(f1->IsEqual(a1));
    EXPECT_FALSE(a1->IsEqual(f1));
    EXPECT_FALSE(a1->IsEqual(GF::THolder<Delegate>()));
    EXPECT_EQ(f1->GetObject(), nullptr);
}

TEST(Event, AddRemoveAndRaiseOrder) {
    std::vector<std::string> journal;
    g_journal = &journal;
    CListener a{&journal, "a"}, b{&journal, "b"};
    GF::TEvent1<int> event;
    event.Raise(1);  // empty: nothing
    EXPECT_TRUE(journal.empty());

    event.Add(GF::CreateDelegate(&a, &CListener::OnValue));
    event.Add(GF::CreateDelegate(&FreeHandler));
    event.Add(GF::CreateDelegate(&a, &CListener::OnValue));  // added twice
    event.Remove(GF::CreateDelegate(&a, &CListener::OnValue));
    event.Remove(GF::CreateDelegate(&b, &CListener::OnValue));  // never added: no change
    event.Raise(2);
    EXPECT_EQ(journal, (std::vector<std::string>{"free2", "a2"}));
}

// A handler that changes the list while it is being raised.
struct CMutator {
    GF::TEvent1<int>* event;
    std::vector<std::string>* journal;
    GF::THolder<Delegate> toAdd;
    GF::THolder<Delegate> toRemove;
    void Run(int v) {
        journal->push_back("m" + std::to_string(v));
        if (toAdd) event->Add(toAdd);
        if (toRemove) event->Remove(toRemove);
        toAdd = nullptr;
        toRemove = nullptr;
    }
};

TEST(Event, DelegateAddedDuringRaiseIsCalledInThatRaiseUnlessAddedByTheLast) {
    std::vector<std::string> journal;
    CListener late{&journal, "late"}, tail{&journal, "tail"};
    GF::TEvent1<int> event;
    CMutator first{&event, &journal, GF::CreateDelegate(&late, &CListener::OnValue), {}};
    event.Add(GF::CreateDelegate(&first, &CMutator::Run));
    event.Add(GF::CreateDelegate(&tail, &CListener::OnValue));
    event.Raise(1);
    EXPECT_EQ(journal, (std::vector<std::string>{"m1", "tail1", "late1"}));

    // Added by the last delegate: only from the next raise on.
    journal.clear();
    GF::TEvent1<int> second;
    CListener extra{&journal, "extra"};
    CMutator last{&second, &journal, GF::CreateDelegate(&extra, &CListener::OnValue), {}};
    second.Add(GF::CreateDelegate(&last, &CMutator::Run));
    second.Raise(1);
    EXPECT_EQ(journal, (std::vector<std::string>{"m1"}));
    second.Raise(2);
    EXPECT_EQ(journal, (std::vector<std::string>{"m1", "m2", "extra2"}));
}

TEST(Event, RemovalDuringRaiseNeverSkipsOrRepeatsOthers) {
    std::vector<std::string> journal;
    CListener a{&journal, "a"}, b{&journal, "b"}, c{&journal, "c"};
    GF::TEvent1<int> event;
    CMutator remover{&event, &journal, {}, GF::CreateDelegate(&b, &CListener::OnValue)};
    event.Add(GF::CreateDelegate(&a, &CListener::OnValue));
    event.Add(GF::CreateDelegate(&remover, &CMutator::Run));
    event.Add(GF::CreateDelegate(&b, &CListener::OnValue));
    event.Add(GF::CreateDelegate(&c, &CListener::OnValue));
    event.Raise(1);  // b was removed before it was reached
    EXPECT_EQ(journal, (std::vector<std::string>{"a1", "m1", "c1"}));
    EXPECT_EQ(event.Count(), 3u);

    // A delegate removing itself, then the event cleared from inside a raise.
    journal.clear();
    GF::TEvent1<int> self;
    CMutator selfRemover{&self, &journal, {}, {}};
    selfRemover.toRemove = GF::CreateDelegate(&selfRemover, &CMutator::Run);
    self.Add(GF::CreateDelegate(&selfRemover, &CMutator::Run));
    self.Add(GF::CreateDelegate(&c, &CListener::OnValue));
    self.Raise(5);
    self.Raise(6);
    EXPECT_EQ(journal, (std::vector<std::string>{"m5", "c5", "c6"}));
}

struct CCounted : GF::CRefCount {};
using ObjectHolder = GF::THolder<CCounted>;

struct CHolderSink {
    int seenCount = 0;
    void Take(ObjectHolder h) { seenCount = h->GetRefCount(); }
};

TEST(Event, RaisingWithAHolderLeavesTheCountAsItWas) {
    ObjectHolder object(new CCounted);
    CHolderSink sink;
    GF::TEvent1<ObjectHolder> event;
    event.Add(GF::CreateDelegate(&sink, &CHolderSink::Take));
    event.Raise(object);
    EXPECT_GE(sink.seenCount, 2);  // the delegate had a reference of its own during the call
    EXPECT_EQ(object->GetRefCount(), 1);
}

}  // namespace
