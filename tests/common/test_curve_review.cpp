#include "common/CurveReview.h"

#include "CurveChannels.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

// A data object's curve-check members over the folder tests/data/curves (CurveChannels.h).
struct Channels {
    int option = 1;
    bool checked = false;
    CString path;
    std::vector<CurveErrorRecord> errors;
    std::vector<int> index;
    int columns = 0;
    CStringArray first, last, step;
    int count = 4;

    explicit Channels(std::string folder = testutil::DataPath("curves"))
        : path(CString(folder + "/test.mv5"))
    {
        testutil::FillCurveChannels(first, last, step);
    }
    CurveCheckState State()
    {
        return {&option, &checked, &path, &errors, &index, &columns, &first, &last, &step, &count, nullptr};
    }
};

} // namespace

TEST(CurveReviewTest, CheckStoresOneFindingPerCurveFileAndNeverIndexesPastTheChannels)
{
    Channels c;
    // A longer array than the test's channels: its stale tail is no channel.
    c.first.Add("-2");
    c.last.Add("2");
    c.step.Add("1000");
    CCurveReview review(c.State());
    ASSERT_TRUE(review.RunCheck());
    EXPECT_TRUE(c.checked);
    EXPECT_EQ(c.columns, 2);
    ASSERT_EQ(c.errors.size(), 4u);
    EXPECT_EQ(c.index, (std::vector<int> {-1, 0, 1, -1, 2}));

    for (int channel : {-7, 0, 3, 5, 9, 1000})
        EXPECT_EQ(review.PositionOf(channel), -1) << channel;
    EXPECT_EQ(review.ChannelOf(1), 2);
    EXPECT_EQ(review.ChannelOf(3), 0) << "curve 9 names no channel";
    EXPECT_EQ(review.ChannelOf(4), 0);

    const CurveErrorRecord& unmatched = c.errors[3];
    EXPECT_EQ(unmatched.m_nCurveNo, 9);
    EXPECT_EQ(unmatched.m_strError, CCurveReview::kNoChannelText);
    EXPECT_TRUE(unmatched.m_strNote.empty());
    EXPECT_EQ(unmatched.m_nTestNlp, 0) << "no channel values";

    EXPECT_FALSE(CCurveReview::HasFinding(c.errors[0]));
    EXPECT_TRUE(CCurveReview::IsMismatch(c.errors[1]));
    EXPECT_FALSE(c.errors[1].m_bNlpOk);
    EXPECT_FALSE(CCurveReview::IsMismatch(c.errors[2]));
    EXPECT_NE(c.errors[2].m_strError.find("x 7 is not real number"), std::string::npos);
    EXPECT_EQ(CCurveReview::FindingText(c.errors[2]), c.errors[2].m_strError);
}

TEST(CurveReviewTest, FindNextWalksTheFindingsAndStartsSafelyForAnyChannel)
{
    Channels c;
    CCurveReview review(c.State());
    EXPECT_EQ(review.FindNext(0), -1) << "nothing before a check";
    ASSERT_TRUE(review.RunCheck());
    EXPECT_EQ(review.FindNext(0), 1);
    EXPECT_EQ(review.FindNext(2), 2);
    EXPECT_EQ(review.FindNext(4), -1);
    EXPECT_EQ(review.FindNext(-3), 1);

    EXPECT_EQ(review.FindNextStart(3), 0) << "a channel without a curve file searches from the first";
    EXPECT_EQ(review.FindNextStart(77), 0) << "a channel added after the check";
    EXPECT_EQ(review.FindNextStart(2), 1) << "an open mismatch is found again";
    EXPECT_EQ(review.FindNextStart(4), 3) << "a damaged curve file is passed over";

    c.option = 0;
    EXPECT_EQ(review.FindNext(0), -1) << "checking off";
}

TEST(CurveReviewTest, RecheckClearsTheMismatchOnceTheLastPointIsCorrected)
{
    Channels c;
    CCurveReview review(c.State());
    ASSERT_TRUE(review.RunCheck());
    const CurveErrorRecord& r = c.errors[1];
    for (const char* last : {"4", "", "9"}) {
        EXPECT_EQ(review.Recheck(2, "-2", last, "1000"), 1);
        EXPECT_TRUE(CCurveReview::IsMismatch(r)) << last;
        EXPECT_NE(r.m_strNote.find("Hint: NLP = 2"), std::string::npos);
    }
    EXPECT_EQ(review.Recheck(2, "-2", "2", "1000"), 1);
    EXPECT_FALSE(CCurveReview::HasFinding(r));
    EXPECT_EQ(c.last[2], "2");

    EXPECT_EQ(review.Recheck(2, "-2", "2", "500"), 1);
    EXPECT_EQ(r.m_strNote, "Hint: replacing 'Time Step' =500 with 1000");
    EXPECT_FALSE(r.m_bDelOk);

    // No curve file: the texts are kept, nothing is recomputed.
    EXPECT_EQ(review.Recheck(3, "-1", "1", "1"), -1);
    EXPECT_EQ(c.first[3], "-1");
    EXPECT_EQ(review.Recheck(0, "1", "1", "1"), -1);
    EXPECT_EQ(c.first[0], "") << "element 0 holds no channel";
}

TEST(CurveReviewTest, AFolderWithoutCurveFilesStoresNothingAndScansAgainNextTime)
{
    testutil::TempDir dir;
    Channels c(dir.path().string());
    c.errors.resize(2);
    CCurveReview review(c.State());
    EXPECT_FALSE(review.RunCheck());
    EXPECT_TRUE(c.errors.empty());
    EXPECT_FALSE(c.checked);

    testutil::WriteFile(dir.file("test.001"), "0.0 1\r\n0.001 2\r\n");
    EXPECT_TRUE(review.RunCheck());
    EXPECT_EQ(c.errors.size(), 1u);

    CurveCheckState unbound;
    CCurveReview none(unbound);
    EXPECT_FALSE(none.RunCheck());
    EXPECT_EQ(none.PositionOf(1), -1);
    EXPECT_EQ(none.Recheck(1, "", "", ""), -1);
}
