#include "sim/ScenarioClock.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace {

// Work due at listed times; records the clock time at which each was done.
class DueList : public sim::ClockListener {
  public:
    explicit DueList(sim::ScenarioClock& clock) : clock_(clock) { clock_.subscribe(*this); }
    ~DueList() { clock_.unsubscribe(*this); }

    std::optional<sim::Millis> nextDue() const override {
        if (due.empty())
            return std::nullopt;
        return due.front();
    }
    void reach(sim::Millis now) override {
        // Work added while serving waits for the clock's next round.
        for (std::size_t count = due.size(); count > 0 && due.front() <= now; --count) {
            due.pop_front();
            doneAt.push_back(clock_.now());
            if (onDone)
                onDone();
        }
    }

    std::deque<sim::Millis> due;
    std::vector<sim::Millis> doneAt;
    std::function<void()> onDone;

  private:
    sim::ScenarioClock& clock_;
};

TEST(ScenarioClock, StopsAtEveryDueTimeOnTheWay) {
    sim::ScenarioClock clock;
    DueList first(clock);
    DueList second(clock);
    first.due = {30, 250};
    second.due = {20, 250, 900};

    clock.advanceTo(300);

    EXPECT_EQ(first.doneAt, (std::vector<sim::Millis>{30, 250}));
    EXPECT_EQ(second.doneAt, (std::vector<sim::Millis>{20, 250}));
    EXPECT_EQ(clock.now(), 300);
    EXPECT_EQ(clock.nextDue(), 900);
}

TEST(ScenarioClock, NeverRunsBackwards) {
    sim::ScenarioClock clock;
    clock.advanceBy(500);
    clock.advanceTo(100);
    clock.advanceBy(-50);
    EXPECT_EQ(clock.now(), 500);
}

TEST(ScenarioClock, WorkAddedWhileServingIsDoneInTheSameAdvance) {
    // A reply that makes the program send again, answered 20 ms later.
    sim::ScenarioClock clock;
    DueList list(clock);
    list.due = {10};
    list.onDone = [&] {
        if (list.doneAt.size() < 3)
            list.due.push_back(clock.now() + 20);
    };

    clock.advanceTo(100);

    EXPECT_EQ(list.doneAt, (std::vector<sim::Millis>{10, 30, 50}));
}

TEST(ScenarioClock, ListenerLeavingWhileAnotherIsServedIsNotCalled) {
    sim::ScenarioClock clock;
    DueList first(clock);
    auto second = std::make_unique<DueList>(clock);
    first.due = {10};
    second->due = {10};
    first.onDone = [&] { second.reset(); };

    clock.advanceTo(20); // ASan would catch a call to the destroyed listener

    EXPECT_EQ(first.doneAt.size(), 1u);
    EXPECT_EQ(clock.now(), 20);
}

TEST(ScenarioClock, EndlessZeroDelayExchangeStillEndsTheAdvance) {
    sim::ScenarioClock clock;
    DueList list(clock);
    list.due = {5};
    list.onDone = [&] { list.due.push_back(clock.now()); };

    clock.advanceTo(10);

    EXPECT_EQ(clock.now(), 10);
    EXPECT_GT(list.doneAt.size(), 1000u);
}

} // namespace
