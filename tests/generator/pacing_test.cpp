#include "pacing.h"
#include "process.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

using namespace generator;

namespace {

struct TickCase {
    std::int32_t rate;
    int units;
    int ticks;
};

TEST(Pacing, WaitLastsFloorOf2800OverRateTimesUnitsTicks)
{
    const TickCase cases[] = {
        {2800, 40, 40}, {2800, 8, 8}, {2800, 45, 45},
        {3000, 40, 37}, {3000, 8, 7},
        {1000, 50, 140}, {1000, 8, 22},
        // Unknown or negative rates pace as the reference rate.
        {0, 40, 40}, {0, 9, 9}, {-1200, 8, 8},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE("rate " + std::to_string(c.rate) + ", units " + std::to_string(c.units));
        Pacer pacer(c.rate);
        testing_host::RecordingHost host;
        host.onWaitForEvents = [&] { pacer.tick(); };
        pacer.wait(host, c.units);
        EXPECT_EQ(host.eventWaits, c.ticks);
        EXPECT_EQ(pacer.waitTicks(), 0);
    }
}

TEST(Pacing, CountOfZeroReturnsAtOnceWithoutYielding)
{
    Pacer pacer(1'000'000); // 2800 / 1e6 * 50 = 0.14
    testing_host::RecordingHost host;
    host.onWaitForEvents = [] { FAIL() << "waited for events"; };
    pacer.wait(host, 50);
    EXPECT_EQ(host.eventWaits, 0);
    EXPECT_EQ(host.yields, 0);
}

TEST(Pacing, OnlyTicksShortenThePause)
{
    // Other events (repaints, clicks) wake the wait too; they must not count as ticks.
    Pacer pacer(2800);
    testing_host::RecordingHost host;
    host.onWaitForEvents = [&] {
        if (host.eventWaits % 3 == 0)
            pacer.tick();
    };
    pacer.wait(host, 10);
    EXPECT_EQ(host.eventWaits, 30);
}

TEST(Pacing, TickWithoutPauseChangesNothing)
{
    Pacer pacer(2800);
    pacer.tick();
    pacer.tick();
    EXPECT_EQ(pacer.waitTicks(), 0);
    testing_host::RecordingHost host;
    host.onWaitForEvents = [&] { pacer.tick(); };
    pacer.wait(host, 8);
    EXPECT_EQ(host.eventWaits, 8); // earlier ticks were not banked
}

TEST(Pacing, FallbackRateForUnknownOrNegative)
{
    EXPECT_EQ(Pacer(0).clockRate(), kReferenceClockRate);
    EXPECT_EQ(Pacer(-1).clockRate(), kReferenceClockRate);
    EXPECT_EQ(Pacer(3000).clockRate(), 3000);
}

TEST(ClockRate, SourcesInOrderThenNothing)
{
    fixtures::TempDir dir;
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name)) << text;
        return dir.file(name);
    };
    const std::string base = write("base_frequency", "2800000\n");
    const std::string max = write("cpuinfo_max_freq", "3600000\n");
    const std::string zero = write("zero", "0\n");
    const std::string junk = write("junk", "inconnu\n");
    const std::string cpuinfo = write("cpuinfo", "processor\t: 0\nmodel name\t: Test CPU\ncpu MHz\t\t: 2394.454\ncache size\t: 512 KB\n");
    const std::string cpuinfoWithoutRate = write("cpuinfo2", "processor\t: 0\nBogoMIPS\t: 48.00\n");
    const std::string missing = dir.file("absent");

    struct Case {
        const char* label;
        ClockRateSources sources;
        std::int32_t rate;
    };
    const Case cases[] = {
        {"base frequency first", {{base, max}, cpuinfo}, 2800},
        {"maximum when no base", {{missing, max}, cpuinfo}, 3600},
        {"cpuinfo when no cpufreq", {{missing, missing}, cpuinfo}, 2394},
        {"zero or junk is not a rate", {{zero, junk}, cpuinfo}, 2394},
        {"nothing readable", {{missing}, missing}, 0},
        {"cpuinfo without a rate", {{}, cpuinfoWithoutRate}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(proc1(c.sources), c.rate);
    }
}

} // namespace

namespace {

TEST(Pacing, StopRequestEndsAPauseAtOnce)
{
    // A window closed mid-run must not sit out a pause of many seconds first.
    Pacer pacer(2800);
    testing_host::RecordingHost host;
    host.onWaitForEvents = [&] { pacer.tick(); };
    host.stop = [&] { return host.eventWaits >= 5; };
    pacer.wait(host, 50);
    EXPECT_EQ(host.eventWaits, 5);
    EXPECT_EQ(pacer.waitTicks(), 0);
}

} // namespace
