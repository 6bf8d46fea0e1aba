// The progress of a run in words, and how often the window is told it.

#include <gtest/gtest.h>

#include "model/ProgressMeter.h"
#include "text/TextTable.h"

namespace brelker {
namespace {

class ProgressMeterTest : public ::testing::Test {
protected:
    void SetUp() override {
        FillTextTable(".Brelked_");
        SetCurrentLanguage(kEnglish);
    }
    void TearDown() override { SetCurrentLanguage(kEnglish); }
};

TEST_F(ProgressMeterTest, EachPartIsSaidOnlyWhereItIsKnown) {
    const struct {
        TransferProgress progress;
        std::int64_t elapsed;
        const char* expected;
    } rows[] = {
        // Before any time has passed there is no rate, and so no time left.
        {{0, 1'000'000'000, 1, 7}, 0, "0 % · File 1 of 7"},
        {{250'000'000, 1'000'000'000, 3, 7}, 2000, "25 % · 125 MB/s · 0:06 left · File 3 of 7"},
        // Half a second is the least a rate is measured over.
        {{50'000'000, 1'000'000'000, 1, 7}, 499, "5 % · File 1 of 7"},
        {{8'500'000, 1'000'000'000, 1, 2}, 1000, "0 % · 8.5 MB/s · 1:57 left · File 1 of 2"},
        // Past an hour, hours come first; a part second left counts as a whole one.
        {{1'000'000, 4'000'500'000, 1, 1}, 1000, "0 % · 1.0 MB/s · 1:06:40 left · File 1 of 1"},
        // A split by free space knows neither its total nor its count.
        {{3'000'000, 0, 4, 0}, 1000, "3.0 MB/s · File 4"},
        // The joined file that Verify reads after the pieces is no piece.
        {{900, 1000, 0, 3}, 1000, "90 % · 0.0 MB/s · 0:01 left"},
        {{1000, 1000, 3, 3}, 1000, "100 % · 0.0 MB/s · File 3 of 3"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ProgressText(row.progress, row.elapsed, "."), row.expected) << row.expected;
    }

    SetCurrentLanguage(kGerman);
    EXPECT_EQ(ProgressText({8'500'000, 1'000'000'000, 3, 7}, 1000, ","),
              "0 % · 8,5 MB/s · noch 1:57 · Datei 3 von 7");
    SetCurrentLanguage(kSwedish);
    EXPECT_EQ(ProgressText({8'500'000, 0, 3, 0}, 1000, ","), "8,5 MB/s · Fil 3");
}

// The engine reports every block; the window hears of it four times a second,
// whatever the piece, and each run measures its rate from its own start.
TEST_F(ProgressMeterTest, TheTextComesAtMostFourTimesASecondFromTheFirstReportOn) {
    ProgressMeter meter;
    meter.Begin(".");
    std::vector<std::string> shown;
    for (std::int64_t now = 5000; now <= 6000; now += 10) {
        const int piece = static_cast<int>((now - 5000) / 20) + 1;  // a new piece every 20 ms
        if (const auto text = meter.Update({(now - 5000) * 10'000, 10'000'000, piece, 0}, now)) {
            shown.push_back(*text);
        }
    }
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "0 % · File 1", "25 % · File 13", "50 % · 10.0 MB/s · 0:01 left · File 26",
                         "75 % · 10.0 MB/s · 0:01 left · File 38", "100 % · 10.0 MB/s · File 51"}));

    meter.Begin(",");
    EXPECT_EQ(meter.Update({0, 100'000'000, 1, 1}, 60'000), "0 % · File 1 of 1");
    EXPECT_EQ(meter.Update({1'000'000, 100'000'000, 1, 1}, 60'100), std::nullopt);
    EXPECT_EQ(meter.Update({5'000'000, 100'000'000, 1, 1}, 61'000),
              "5 % · 5,0 MB/s · 0:19 left · File 1 of 1");

    // A run that continues a stopped one starts with the bytes it kept: they
    // are done, but took none of its time.
    meter.Begin(".");
    EXPECT_EQ(meter.Update({60'000'000, 100'000'000, 7, 10}, 0), "60 % · File 7 of 10");
    EXPECT_EQ(meter.Update({70'000'000, 100'000'000, 8, 10}, 1000),
              "70 % · 10.0 MB/s · 0:03 left · File 8 of 10");
}

// A prompt shows the words for where the run stopped, and the minute the user
// took to change the disk is no time the bytes took.
TEST_F(ProgressMeterTest, AWaitForTheUserShowsTheLatestAndStopsTheClock) {
    ProgressMeter meter;
    meter.Begin(".");
    EXPECT_EQ(meter.Latest(500), "");  // nothing reported yet
    meter.Pause(500);                  // a prompt before the first piece: the clock is not running
    meter.Resume(30'500);
    meter.Update({0, 100'000'000, 1, 3}, 1000);
    EXPECT_EQ(meter.Update({40'000'000, 100'000'000, 1, 3}, 2000),
              "40 % · 40.0 MB/s · 0:02 left · File 1 of 3");
    EXPECT_EQ(meter.Update({48'000'000, 100'000'000, 1, 3}, 2100), std::nullopt);
    EXPECT_EQ(meter.Latest(2100), "48 % · 43.6 MB/s · 0:02 left · File 1 of 3");
    meter.Pause(2100);
    EXPECT_EQ(meter.Latest(32'100), "48 % · 43.6 MB/s · 0:02 left · File 1 of 3");
    meter.Resume(62'100);
    EXPECT_EQ(meter.Update({60'000'000, 100'000'000, 2, 3}, 62'400),
              "60 % · 42.9 MB/s · 0:01 left · File 2 of 3");
}

}  // namespace
}  // namespace brelker
