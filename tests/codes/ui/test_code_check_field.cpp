#include "codes/CodeCheck.h"
#include "common/ui/NEdit.h"

#include "../CodesTestUtil.h"
#include "doubles/MessageRecorder.h"
#include "WidgetColors.h"

#include <QLineEdit>

// The page's own typed field, on its window: the check's result shows in its colours.
TEST(CodeCheckFieldTest, TypedFieldShowsTheCheckInItsColours)
{
    codetest::Connection db;
    ASSERT_TRUE(db.open());
    platform::MessageRecorder boxes;
    QLineEdit window;
    CNEdit field;
    field.Attach(&window);
    field.SetStringType(1, 6, true);

    field.SetText(" DDA ");
    CCodeCheck().CheckCode(&field, "RECTYP", "VEHDB");
    EXPECT_TRUE(field.IsValid());
    EXPECT_EQ(WidgetBackColor(&window), CNEdit::kLightGrey);

    field.SetText("dda");
    CCodeCheck().CheckCode(&field, "RECTYP", "VEHDB");
    EXPECT_FALSE(field.IsValid());
    EXPECT_EQ(WidgetTextColor(&window), CNEdit::kRed);
    EXPECT_EQ(WidgetBackColor(&window), CNEdit::kYellow);

    // No rows for the group: the colours stay as they were.
    CCodeCheck().CheckCode(&field, "RECTYP", "NOGROUP");
    EXPECT_EQ(WidgetBackColor(&window), CNEdit::kYellow);
    EXPECT_EQ(boxes.count(), 1);
}
