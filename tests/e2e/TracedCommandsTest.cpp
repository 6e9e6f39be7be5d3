// Reading the requests out of the simulator's trace: the live tests' view of
// the conversation, so a misreading would let them pass on the wrong one.

#include "SimulatorProcess.h"

#include <gtest/gtest.h>

namespace {

TEST(TracedCommands, TakesTheCommandOfEachMctcRequestInOrder) {
    const QString trace =
        QStringLiteral("quaveron-sim: gas analyser KAPROGAS-VEGA (model 3, MCTC-NET) on /tmp/l (/dev/pts/3)\n"
                       "0 ms  <STX>GAS<ETB>1<ETB>ID6B<ETX>  ->  <STX>GAS<ETB>1<ETB>ID<ETB>KORVELLAN<ETB>1.50C1<ETX>\n"
                       "25 ms  <STX>GAS<ETB>1<ETB>@SD<ETB>05032024|093000A3<ETX>  ->  <STX>GAS<ETB>1<ETB>@SD4E<ETX>\n"
                       "50 ms  <STX>GAS<ETB>1<ETB>@ST54<ETX>  ->  (no reply)\n");
    EXPECT_EQ(e2e::TracedCommands(trace), QStringList({"ID", "@SD", "@ST"}));
}

TEST(TracedCommands, SkipsWhatIsNoWholeMctcRequest) {
    const char* const lines[] = {
        "75 ms  <STX>1<00><3f><00><02><8e><ETX>  ->  <STX>1<06><3f><00><02><88><ETX>", // maker frame
        "100 ms  <STX>GAS<ETB>1<ETB>@ST54  ->  (no reply)",                            // no ETX
        "125 ms  <STX>GAS<ETB>1<ETB><ETX>  ->  (no reply)",                            // no command
        "150 ms  GAS<ETB>1<ETB>@ST54<ETX>  ->  (no reply)",                            // no STX
        "175 ms  <STX>GAS<ETB>1<ETB>@ST54<ETX>",                                       // cut before the reply
        "",
    };
    for (const char* line : lines)
        EXPECT_TRUE(e2e::TracedCommands(QString::fromLatin1(line)).isEmpty()) << line;
}

TEST(ContainsInOrder, AllowsOthersBetweenAndNamesTheFirstMissing) {
    const QStringList all = {"ET", "@ST", "AZ", "@ST", "@RS", "HC", "EH", "@VA"};
    EXPECT_TRUE(e2e::containsInOrder(all, {"ET", "AZ", "@RS", "@VA"}));
    QString missing;
    EXPECT_FALSE(e2e::containsInOrder(all, {"AZ", "ET"}, &missing));
    EXPECT_EQ(missing, "ET (item 1)");
    EXPECT_FALSE(e2e::containsInOrder(all, {"@VA", "@VA"}, &missing));
    EXPECT_EQ(missing, "@VA (item 1)");
}

} // namespace
