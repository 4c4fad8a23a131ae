#include "lifetime/server_life.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace sheetpush {
namespace {

// Writes down what the server's life asks of its process, alarms with their delay.
class RecordingProcess : public ServingProcess {
public:
    bool publish() override {
        events.push_back("publish");
        return publishes;
    }
    void withdraw() override { events.push_back("withdraw"); }
    void setAlarm(std::chrono::milliseconds after) override {
        events.push_back("alarm " + std::to_string(after.count()));
    }
    void cancelAlarm() override { events.push_back("cancel"); }
    void end() override { events.push_back("end"); }

    std::vector<std::string> events;
    bool publishes = true;
};

// What happens to the server, in order: a client makes or drops an object, takes or drops a
// lock, the alarm rings, or publishing starts to fail.
enum class Step { make, drop, lock, unlock, ring, publishFails };

struct LifeCase {
    const char* name;
    std::vector<Step> steps;
    // After the start's "publish" and "alarm 3000".
    std::vector<std::string> events;
};

void PrintTo(const LifeCase& c, std::ostream* os) {
    *os << c.name;
}

class Life : public ::testing::TestWithParam<LifeCase> {};

TEST_P(Life, FollowsItsClients) {
    RecordingProcess process;
    ServerLife life(process);
    ASSERT_TRUE(life.start());
    ASSERT_EQ(process.events, (std::vector<std::string>{"publish", "alarm 3000"}));
    process.events.clear();
    for (Step step : GetParam().steps) {
        switch (step) {
        case Step::make:
            life.objectMade();
            break;
        case Step::drop:
            life.objectGone();
            break;
        case Step::lock:
            life.lock();
            break;
        case Step::unlock:
            life.unlock();
            break;
        case Step::ring:
            life.alarm();
            break;
        case Step::publishFails:
            process.publishes = false;
            break;
        }
    }
    EXPECT_EQ(process.events, GetParam().events);
}

using enum Step;

INSTANTIATE_TEST_SUITE_P(
    Events, Life,
    ::testing::Values(
        LifeCase{"neverGotAnObject", {ring, ring}, {"withdraw", "alarm 500", "end"}},
        LifeCase{"servesWhileHeld", {make, make, drop}, {"cancel"}},
        LifeCase{"lingersAfterTheLastObject",
                 {make, drop, ring, ring},
                 {"cancel", "alarm 3000", "withdraw", "alarm 500", "end"}},
        LifeCase{"aClientWithinTheLingerFindsItPublished",
                 {make, drop, make, drop},
                 {"cancel", "alarm 3000", "cancel", "alarm 3000"}},
        LifeCase{
            "anActivationDuringThePausePublishesAgain",
            {make, drop, ring, make, ring, drop},
            {"cancel", "alarm 3000", "withdraw", "alarm 500", "alarm 0", "publish", "alarm 3000"}},
        LifeCase{"anObjectMadeAndDroppedInThePauseEndsIt",
                 {ring, make, drop, ring},
                 {"withdraw", "alarm 500", "alarm 0", "end"}},
        LifeCase{"republishingFailedStillServesAndThenEnds",
                 {ring, make, publishFails, ring, drop, ring, ring},
                 {"withdraw", "alarm 500", "alarm 0", "publish", "alarm 3000", "withdraw",
                  "alarm 500", "end"}},
        LifeCase{"aLockKeepsItLikeAnObject", {lock, ring, unlock}, {"cancel", "alarm 3000"}},
        LifeCase{
            "anUnbalancedUnlockLeavesAnObjectServed", {make, unlock, unlock, ring}, {"cancel"}},
        LifeCase{"theLockCountNeverGoesBelowZero",
                 {unlock, unlock, lock, unlock},
                 {"cancel", "alarm 3000"}},
        LifeCase{"anAlarmWhileServingIsStale", {make, ring}, {"cancel"}}),
    [](const auto& info) { return info.param.name; });

TEST(ServerLifeStart, FailsWhenTheClassObjectsCannotBePublished) {
    RecordingProcess process;
    process.publishes = false;
    ServerLife life(process);
    EXPECT_FALSE(life.start());
    EXPECT_EQ(process.events, std::vector<std::string>{"publish"});
}

} // namespace
} // namespace sheetpush
