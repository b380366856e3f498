// The boxes of one action of the user: a repeat is shown once, a question always, the failed code
// tables ride on the action's next plain box (or come alone before a dialog waits, or at the end),
// and a message cap counts only what the user has not read.

#include "doubles/MessageRecorder.h"
#include "platform/CodeDb.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

void Ok(const char* text, const char* caption = "Error") { MessageBoxA(nullptr, text, caption, MB_OK); }
void Ask(const char* text) { MessageBoxA(nullptr, text, "Warning", MB_YESNO | MB_ICONQUESTION); }

constexpr const char* kTwoTables = "These code tables cannot be read:\n\nTable A\nTable B";

struct ActionCase {
    const char* name;
    bool inAction; // run within a user action, or outside any
    std::function<void()> steps;
    std::vector<std::string> shown;
};

const ActionCase kCases[] = {
    {"ARepeatIsShownOnceLetterCaseAside", true,
     [] {
         Ok("Date Verify in section TEST is incorrect.");
         Ok("Date VERIFY in section TEST is incorrect.");
         Ok("Date Verify in section TEST is incorrect.", "Warning");
     },
     {"Date Verify in section TEST is incorrect.", "Date Verify in section TEST is incorrect."}},
    {"AQuestionIsAlwaysAsked", true,
     [] {
         Ask("Go on?");
         Ask("Go on?");
     },
     {"Go on?", "Go on?"}},
    {"FailedTablesFollowTheActionsOwnBox", true,
     [] {
         TellCodeDbFailure("Table A");
         TellCodeDbFailure("Table B");
         Ok("The test was not saved.");
     },
     {std::string("The test was not saved.\n\n") + kTwoTables}},
    {"AQuestionIsAskedAsItselfAndTheTablesComeAtTheEnd", true,
     [] {
         TellCodeDbFailure("Table A");
         Ask("Go on?");
     },
     {"Go on?", "Table A"}},
    {"ATableIsToldOnceAndWhatCameAfterTheBoxAtTheEnd", true,
     [] {
         TellCodeDbFailure("Table A");
         Ok("Not saved.");
         TellCodeDbFailure("Table A");
         TellCodeDbFailure("Table B");
     },
     {"Not saved.\n\nTable A", "Table B"}},
    {"ADialogTellsTheTablesBeforeItWaitsAndDropsNoBoxWhileItWaits", true,
     [] {
         Ok("Not saved.");
         TellCodeDbFailure("Table A");
         {
             const platform::ActionBoxes::Waiting dialog;
             Ok("Not saved.");
             Ok("Please enter a number.");
             Ok("Please enter a number.");
         }
         Ok("Not saved.");
     },
     {"Not saved.", "Table A", "Not saved.", "Please enter a number.", "Please enter a number."}},
    {"ATableAClickInAWaitingDialogMeetsIsToldByTheClick", true,
     [] {
         {
             const platform::ActionBoxes::Waiting dialog;
             {
                 platform::CodeDbCommandScope click;
                 TellCodeDbFailure("Table A");
                 Ok("Found nothing.");
             }
             {
                 platform::CodeDbCommandScope click;
                 TellCodeDbFailure("Table B");
             }
         }
         Ok("Not saved.");
     },
     {"Found nothing.\n\nTable A", "Table B", "Not saved."}},
    {"OutsideAnActionEveryBoxIsShownAtOnce", false,
     [] {
         Ok("Not saved.");
         TellCodeDbFailure("Table A");
         Ok("Not saved.");
     },
     {"Not saved.", "Table A", "Not saved."}},
};

class ActionBoxesTest : public ::testing::TestWithParam<ActionCase> {};

} // namespace

TEST_P(ActionBoxesTest, ShowsWhatTheUserHasNotReadOnce)
{
    const ActionCase& c = GetParam();
    platform::MessageRecorder recorder;
    if (c.inAction) {
        platform::CodeDbCommandScope action;
        c.steps();
    } else {
        c.steps();
    }
    EXPECT_EQ(recorder.texts(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(, ActionBoxesTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

// A file's problems past its cap are counted, not shown; a repeat the action drops is neither
// shown nor counted, whether its first telling was shown or held back.
TEST(ActionBoxesCapTest, ARepeatDoesNotCountTowardTheCap)
{
    platform::MessageRecorder recorder;
    {
        platform::CodeDbCommandScope action;
        platform::MessageCap cap("bad.mv5", 2);
        for (const char* text : {"line 2", "line 2", "line 3", "line 4", "line 4", "line 5", "line 3"})
            Ok(text);
        EXPECT_EQ(cap.Hidden(), 2);
    }
    EXPECT_EQ(recorder.texts(), (std::vector<std::string> {"line 2", "line 3", "2 more problems were found in bad.mv5."}));
}

// A reading run quietly to learn whether it would complain: nothing is shown, nothing counts as
// told, the action does not take the box for one the user has read, and the failed tables wait
// for a box that is shown.
TEST(ActionBoxesQuietTest, AQuietBoxIsNeitherShownNorRemembered)
{
    platform::MessageRecorder recorder;
    platform::CodeDbCommandScope action;
    const unsigned long asked = platform::MessagesAsked();
    TellCodeDbFailure("Table A");
    {
        const platform::QuietBoxes quiet;
        Ok("Date x is incorrect.");
        EXPECT_EQ(quiet.Asked(), 1);
    }
    EXPECT_EQ(platform::MessagesAsked(), asked);
    EXPECT_EQ(recorder.count(), 0);
    Ok("Date x is incorrect.");
    EXPECT_EQ(recorder.texts(), std::vector<std::string> {"Date x is incorrect.\n\nTable A"});
}

// A problem one file's cap held back was never read: told again later in the action (the page
// showing the loaded date once more), it is shown.
TEST(ActionBoxesCapTest, WhatACapHeldBackIsShownWhenToldAgainPastTheCap)
{
    platform::MessageRecorder recorder;
    {
        platform::CodeDbCommandScope action;
        {
            platform::MessageCap cap("bad.mv5", 1);
            Ok("line 2");
            Ok("Date x is incorrect.");
        }
        Ok("Date x is incorrect.");
    }
    EXPECT_EQ(recorder.texts(), (std::vector<std::string> {"line 2", "1 more problem was found in bad.mv5.",
                                                           "Date x is incorrect."}));
}
