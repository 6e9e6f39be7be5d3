// The rule by which every window gets its line back: from the n-th request in
// a row without a reply, the port is closed if open and opened again, quietly.

#include "link/PortReopenRule.h"
#include "link/FakeSerialPort.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Outage {
    const char* name;
    int missesBeforeReopen;
    bool portOpenAtFirst; // open but silent, or closed under the window
    int deviceBackAtMiss; // opens fail until this miss
};

class PortReopenRuleTest : public ::testing::TestWithParam<Outage> {};

TEST_P(PortReopenRuleTest, ReopensFromTheThresholdOncePerMissUntilAnswered) {
    const Outage& o = GetParam();
    FakeSerialPort port;
    if (o.portOpenAtFirst) {
        ASSERT_TRUE(port.setPortOpen(true));
    }
    port.failEveryOpen(QStringLiteral("No such file or directory"));
    const int opensBefore = port.openCount();
    PortReopenRule rule(o.missesBeforeReopen);
    int lostReports = 0;
    constexpr int Misses = 8;
    for (int miss = 1; miss <= Misses; ++miss) {
        SCOPED_TRACE(miss);
        if (miss == o.deviceBackAtMiss)
            port.failEveryOpen(QString());
        lostReports += rule.missed(port) ? 1 : 0;
        EXPECT_EQ(rule.lineLost(), miss >= o.missesBeforeReopen);
        EXPECT_EQ(lostReports, rule.lineLost() ? 1 : 0) << "the loss is told once";
        // From the threshold on, one close and open per miss, never more.
        const int tries = std::max(0, miss - o.missesBeforeReopen + 1);
        EXPECT_EQ(port.openCount() - opensBefore, std::min(tries, std::max(0, miss - o.deviceBackAtMiss + 1)));
        EXPECT_EQ(port.PortOpen(), (o.portOpenAtFirst && tries == 0) || (tries > 0 && miss >= o.deviceBackAtMiss));
    }
    // An answer ends it: the next misses count from the start again.
    rule.answered();
    EXPECT_FALSE(rule.lineLost());
    const int opens = port.openCount();
    if (o.missesBeforeReopen > 1) {
        rule.missed(port);
        EXPECT_EQ(port.openCount(), opens);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, PortReopenRuleTest,
                         ::testing::Values(Outage{"SilentOpenPort", 3, true, 1}, Outage{"VanishedDevice", 3, false, 6},
                                           Outage{"DeviceBackBeforeTheThreshold", 3, false, 2},
                                           Outage{"ScanQuestion", 1, false, 3}),
                         [](const ::testing::TestParamInfo<Outage>& info) { return std::string(info.param.name); });

} // namespace
