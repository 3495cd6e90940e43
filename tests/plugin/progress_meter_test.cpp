#include "host/progress_meter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/plugin/fake_host.h"

namespace {
using Reports = std::vector<std::pair<int32_t, int32_t>>;
Reports gReports;

void RecordProgress(int32_t done, int32_t total) { gReports.emplace_back(done, total); }

class ProgressMeterTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.filter.progressProc = RecordProgress;
        host.BeginCall(filterSelectorStart);
        UpdateProgress(ProgressOperation::Disable);
        UpdateProgress(ProgressOperation::Start, 0);
        gReports.clear();
    }
    FakeHost host;
};

TEST_F(ProgressMeterTest, RunOfThreePlanesReportsEveryPairInOrder) {
    UpdateProgress(ProgressOperation::Enable);
    UpdateProgress(ProgressOperation::Start, 14);
    for (int step = 0; step < 12; ++step) UpdateProgress(ProgressOperation::Step);
    UpdateProgress(ProgressOperation::Finish);

    Reports expected{{0, 14}};
    for (int32_t done = 1; done <= 12; ++done) expected.emplace_back(done, 14);
    expected.insert(expected.end(), {{12, 14}, {13, 14}, {14, 14}});
    EXPECT_EQ(gReports, expected);
}

TEST_F(ProgressMeterTest, SetAndExtendMoveTheCountersAndReport) {
    UpdateProgress(ProgressOperation::Enable);
    UpdateProgress(ProgressOperation::Start, 10);
    UpdateProgress(ProgressOperation::Set, 7);
    UpdateProgress(ProgressOperation::Extend, 5);
    UpdateProgress(ProgressOperation::Step);
    EXPECT_EQ(gReports, (Reports{{0, 10}, {7, 10}, {7, 15}, {8, 15}}));
}

TEST_F(ProgressMeterTest, DisabledMeterReportsNothingAndStepsDoNotCount) {
    UpdateProgress(ProgressOperation::Start, 4);
    UpdateProgress(ProgressOperation::Step);
    UpdateProgress(ProgressOperation::Set, 2);
    UpdateProgress(ProgressOperation::Extend, 1);
    EXPECT_TRUE(gReports.empty());
    EXPECT_EQ(CurrentProgress().done, 2);
    EXPECT_EQ(CurrentProgress().total, 5);
    UpdateProgress(ProgressOperation::Step);
    EXPECT_EQ(CurrentProgress().done, 2);
    UpdateProgress(ProgressOperation::Finish);
    EXPECT_TRUE(gReports.empty());
    EXPECT_EQ(CurrentProgress().done, 6);
}

TEST_F(ProgressMeterTest, FinishAtTheLargestTotalEnds) {
    UpdateProgress(ProgressOperation::Enable);
    UpdateProgress(ProgressOperation::Start, INT32_MAX);
    UpdateProgress(ProgressOperation::Set, INT32_MAX - 1);
    gReports.clear();
    UpdateProgress(ProgressOperation::Finish);
    EXPECT_EQ(gReports, (Reports{{INT32_MAX - 1, INT32_MAX}, {INT32_MAX, INT32_MAX}}));
}

}  // namespace
