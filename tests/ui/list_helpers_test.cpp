// The list-view, combo and control-group helpers against a real dialog with a real
// list, combo box and buttons.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/event_pump.h"
#include "platform/list_view.h"
#include "ui/list_helpers.h"

namespace {

constexpr int kList = 1005;
constexpr int kCombo = 1010;

const platform::ControlTemplate kControls[] = {
    {1000, platform::ControlKind::PushButton, platform::TabStop | platform::DefaultButton, "Add Files", 13, 65, 57, 19},
    {1001, platform::ControlKind::PushButton, platform::TabStop, "Select All", 137, 65, 57, 19},
    {1002, platform::ControlKind::PushButton, platform::TabStop, "Change Folder ...", 317, 252, 62, 16},
    {kList, platform::ControlKind::ListView,
     platform::TabStop | platform::Border | platform::ListCheckBoxes | platform::ListFullRowSelect, nullptr, 13, 90, 366, 136},
    {kCombo, platform::ControlKind::DropDownList, platform::TabStop | platform::VScroll, nullptr, 55, 254, 85, 13},
};
const platform::DialogTemplate kTemplate = {"Brisktune", 394, 355, platform::HasCaption, kControls, 5};

intptr_t quietProcedure(WindowHandle, platform::DialogEvent&, void*)
{
    return 0;
}

class ListHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = platform::createDialog(kTemplate, quietProcedure, nullptr, nullptr);
        ASSERT_NE(dialog, nullptr);
        list = platform::controlOf(dialog, kList);
    }
    void TearDown() override
    {
        platform::destroyDialog(dialog);
        platform::processPendingEvents();
    }
    // The converter's five columns.
    void addColumns()
    {
        ASSERT_EQ(LVAddColumn(dialog, kList, 0, 7, 2, "Select", 60), 0);
        ASSERT_EQ(LVAddColumn(dialog, kList, 1, 7, 0, "Name", 250), 1);
        ASSERT_EQ(LVAddColumn(dialog, kList, 2, 7, 2, "Converted", 100), 2);
        ASSERT_EQ(LVAddColumn(dialog, kList, 3, 7, 0, "Folder", 250), 3);
        ASSERT_EQ(LVAddColumn(dialog, kList, 4, 7, 0, "Path", 250), 4);
    }
    void addRows(int count, const char* fill)
    {
        for (int r = 0; r < count; ++r) {
            ASSERT_GE(LVInsertItem(dialog, kList, static_cast<uint32_t>(-1), 0, nullptr, 0), 0);
            for (int c = 1; c < 5; ++c)
                LVSetText(dialog, kList, static_cast<uint32_t>(-1), c, fill, 0);
        }
    }

    WindowHandle dialog = nullptr;
    WindowHandle list = nullptr;
};

TEST_F(ListHelpers, AnEmptyListAnswersZeroAndEmptyTexts)
{
    EXPECT_EQ(LVGetItemCount(dialog, kList), 0);
    EXPECT_EQ(LVGetColumnCount(dialog, kList), 0);
    EXPECT_EQ(LVGetCheck(dialog, kList, -1), 0);
    EXPECT_EQ(LVSetText(dialog, kList, static_cast<uint32_t>(-1), 0, "x", 1), 0);
    EXPECT_EQ(LVSetText(dialog, kList, 0, 0, "x", 0), 0);
    EXPECT_EQ(LVGetItemCount(dialog, kList), 0);  // nothing was added
    const char* text = LVGetText(dialog, kList, 0, 0);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");
    // -1 on an empty list stands for every row: there are none, which succeeds.
    EXPECT_EQ(LVSetCheck(dialog, kList, -1, 1), 1);

    // A control id that names nothing reaches nothing.
    EXPECT_EQ(LVGetItemCount(dialog, 4242), 0);
    EXPECT_EQ(LVInsertItem(dialog, 4242, 0, 0, "a", 0), -1);
    EXPECT_STREQ(LVGetText(dialog, 4242, 0, 0), "");
    EXPECT_EQ(LVSearchString(dialog, 4242, 0, 0, -1, -1, 1, 1, "")->found, 0u);
    EXPECT_EQ(LVAddColumn(dialog, 4242, 0, 7, 0, "Name", 10), -1);
}

TEST_F(ListHelpers, ColumnsAreCountedByTheHeaderAndTheListCanBeAddressedDirectly)
{
    addColumns();
    EXPECT_EQ(LVGetColumnCount(dialog, kList), 5);
    EXPECT_EQ(LVGetColumnCount(list, -1), 5);  // -1: the window is the list
    EXPECT_EQ(LVAddColumn(list, -1, 99, 7, 0, "Extra", 20), 5);  // beyond the count appends
    EXPECT_EQ(LVAddColumn(list, -1, -3, 7, 0, "Bad", 20), -1);
    EXPECT_EQ(LVGetColumnCount(dialog, kList), 6);
}

TEST_F(ListHelpers, InsertTargetsAndResultsWithAndWithoutEnsureVisible)
{
    addColumns();
    struct Case {
        uint32_t row;
        const char* text;
        int32_t ensureVisible;
        int32_t expected;
    };
    // Rows grow: c, a, b, d, e (row numbers at or beyond the count append).
    const Case cases[] = {
        {0, "a", 0, 0},                          // first row of an empty list
        {static_cast<uint32_t>(-1), "b", 0, 1},  // -1 appends; the new index
        {0, "c", 0, 0},                          // before row 0
        {7, "d", 1, 1},                          // appended; the scroll request's answer
        {3, "e", 0, 3},                          // before d: row 3 of 5
    };
    for (const Case& c : cases)
        EXPECT_EQ(LVInsertItem(dialog, kList, c.row, 0, c.text, c.ensureVisible), c.expected) << c.text;
    const char* order[] = {"c", "a", "b", "e", "d"};
    ASSERT_EQ(LVGetItemCount(dialog, kList), 5);
    for (int r = 0; r < 5; ++r)
        EXPECT_STREQ(LVGetText(dialog, kList, r, 0), order[r]);

    // Null text: a row without text. A sub-item column cannot be given on insertion.
    EXPECT_EQ(LVInsertItem(dialog, kList, static_cast<uint32_t>(-1), 0, nullptr, 0), 5);
    EXPECT_STREQ(LVGetText(dialog, kList, 5, 0), "");
    EXPECT_EQ(LVInsertItem(dialog, kList, 0, 1, "sub", 0), -1);
    EXPECT_EQ(LVInsertItem(dialog, kList, 0, 1, "sub", 1), 1);  // the row asked for exists
    EXPECT_EQ(LVInsertItem(dialog, kList, static_cast<uint32_t>(-1), 1, "sub", 1), 0);  // nothing at the end
    EXPECT_EQ(LVGetItemCount(dialog, kList), 6);
}

TEST_F(ListHelpers, SetTextWritesTheLastRowForMinusOneAndBeyondAndReportsWhatWasAsked)
{
    addColumns();
    addRows(3, "");
    EXPECT_EQ(LVSetText(dialog, kList, static_cast<uint32_t>(-1), 1, "last", 0), 1);
    EXPECT_EQ(LVSetText(dialog, kList, 99, 2, "beyond", 0), 1);
    EXPECT_EQ(LVSetText(dialog, kList, 1, 3, "middle", 1), 1);
    EXPECT_STREQ(LVGetText(dialog, kList, 2, 1), "last");
    EXPECT_STREQ(LVGetText(dialog, kList, 2, 2), "beyond");
    EXPECT_STREQ(LVGetText(dialog, kList, 1, 3), "middle");
    EXPECT_STREQ(LVGetText(dialog, kList, 1, 1), "");

    // A column that does not exist: the set fails, the scroll to the row does not.
    EXPECT_EQ(LVSetText(dialog, kList, 0, 9, "nowhere", 0), 0);
    EXPECT_EQ(LVSetText(dialog, kList, 0, 9, "nowhere", 1), 1);
    EXPECT_STREQ(LVGetText(dialog, kList, 0, 9), "");
    // Null text empties the cell.
    EXPECT_EQ(LVSetText(dialog, kList, 1, 3, nullptr, 0), 1);
    EXPECT_STREQ(LVGetText(dialog, kList, 1, 3), "");
}

TEST_F(ListHelpers, TicksOfTheLastRowAndOfRowsThatDoNotExist)
{
    addColumns();
    addRows(3, "");
    EXPECT_EQ(LVGetCheck(dialog, kList, -1), 0);
    EXPECT_EQ(LVSetCheck(dialog, kList, -1, 1), 1);
    EXPECT_EQ(LVGetCheck(dialog, kList, 2), 1);
    EXPECT_EQ(LVGetCheck(dialog, kList, -1), 1);
    EXPECT_EQ(LVGetCheck(dialog, kList, 0), 0);
    EXPECT_EQ(LVSetCheck(dialog, kList, 0, 7), 1);  // any non-zero ticks
    EXPECT_TRUE(platform::isListRowTicked(list, 0));
    EXPECT_EQ(LVSetCheck(dialog, kList, 0, 0), 1);
    EXPECT_EQ(LVGetCheck(dialog, kList, 0), 0);
    EXPECT_EQ(LVSetCheck(dialog, kList, 3, 1), 0);
    EXPECT_EQ(LVGetCheck(dialog, kList, 3), 0);
}

TEST_F(ListHelpers, GetTextSlotsLastTenCallsAndLongTextsComeBackCut)
{
    addColumns();
    addRows(1, "");
    for (int c = 0; c < 5; ++c)
        LVSetText(dialog, kList, 0, c, ("cell" + std::to_string(c)).c_str(), 0);
    const char* first = LVGetText(dialog, kList, 0, 0);
    const char* results[10] = {first};
    for (int i = 1; i < 10; ++i)
        results[i] = LVGetText(dialog, kList, 0, i % 5);
    EXPECT_STREQ(first, "cell0");  // nine more calls leave it
    for (int i = 1; i < 10; ++i)
        EXPECT_NE(results[i], first);
    const char* eleventh = LVGetText(dialog, kList, 0, 3);
    EXPECT_EQ(eleventh, first);  // the tenth call after it reuses its slot
    EXPECT_STREQ(first, "cell3");

    // 1,500 two-byte letters: 3,000 bytes come back as 1,023 whole letters.
    std::string longText;
    for (int i = 0; i < 1500; ++i)
        longText += "\xC3\xA9";
    LVSetText(dialog, kList, 0, 4, longText.c_str(), 0);
    const char* cut = LVGetText(dialog, kList, 0, 4);
    EXPECT_EQ(std::strlen(cut), 2046u);
    EXPECT_EQ(std::string(cut), longText.substr(0, 2046));
}

TEST_F(ListHelpers, SearchFindsTheOneCellOfTheExampleOnlyPartiallyAndIgnoringCase)
{
    addColumns();
    addRows(5, "");
    for (int r = 0; r < 5; ++r) {
        LVSetText(dialog, kList, static_cast<uint32_t>(r), 1, "song.m4a", 0);
        LVSetText(dialog, kList, static_cast<uint32_t>(r), 4, "/home/user/song.m4a", 0);
    }
    LVSetText(dialog, kList, 2, 4, "/HOME/USER/ABCD/SONG.M4A", 0);

    struct Case {
        int32_t partial, ignoreCase;
        uint32_t found, count;
    };
    const Case cases[] = {{1, 1, 1, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}};
    for (const Case& c : cases) {
        ListSearchResult* result = LVSearchString(dialog, kList, 0, 0, -1, -1, c.partial, c.ignoreCase, "abc");
        ASSERT_NE(result, nullptr);
        EXPECT_EQ(result->found, c.found) << c.partial << c.ignoreCase;
        EXPECT_EQ(result->matchCount, c.count) << c.partial << c.ignoreCase;
    }
    ListSearchResult* result = LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 1, "abc");
    EXPECT_EQ(result->matches[0].row, 2u);
    EXPECT_EQ(result->matches[0].column, 4u);
    // The cell itself is unchanged by the upper-casing in the slot.
    LVSetText(dialog, kList, 1, 2, "MiXeD", 0);
    LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 1, "mixed");
    EXPECT_STREQ(LVGetText(dialog, kList, 1, 2), "MiXeD");

    // A null text returns null and leaves the previous record as it was.
    EXPECT_EQ(LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 1, nullptr), nullptr);
    EXPECT_EQ(result->found, 1u);
    EXPECT_EQ(result->matchCount, 1u);

    // Only ASCII letters change case: é and É stay different.
    LVSetText(dialog, kList, 0, 3, "\xC3\x89T\xC3\x89", 0);  // ÉTÉ
    EXPECT_EQ(LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 1, "\xC3\xA9t\xC3\xA9")->found, 0u);
    EXPECT_EQ(LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 1, "\xC3\x89t\xC3\x89")->found, 1u);
}

TEST_F(ListHelpers, SearchVisitsExactlyTheHalfOpenRanges)
{
    addColumns();
    addRows(5, "x");  // columns 1 to 4 of every row hold "x"
    struct Case {
        uint32_t firstRow, firstColumn, endRow, endColumn, count;
    };
    const Case cases[] = {
        {0, 0, 2, static_cast<uint32_t>(-1), 8},   // endRow 2 on five rows: rows 0 and 1
        {0, 1, static_cast<uint32_t>(-1), 3, 10},  // columns 1 and 2 of all rows
        {3, 0, 99, 99, 8},                         // ends beyond the counts: the counts
        {4, 4, 5, 5, 1},
        {2, 0, 2, 5, 0},                           // an empty range
        {static_cast<uint32_t>(-1), 0, static_cast<uint32_t>(-1), 5, 0},  // unsigned: beyond
    };
    for (const Case& c : cases) {
        ListSearchResult* r = LVSearchString(dialog, kList, c.firstRow, c.firstColumn, c.endRow, c.endColumn, 0, 0, "x");
        EXPECT_EQ(r->matchCount, c.count) << c.firstRow << "," << c.firstColumn << "-" << c.endRow << "," << c.endColumn;
        EXPECT_EQ(r->found, c.count ? 1u : 0u);
    }
    ListSearchResult* r = LVSearchString(dialog, kList, 0, 0, 2, -1, 0, 0, "x");
    EXPECT_EQ(r->matches[0].row, 0u);
    EXPECT_EQ(r->matches[0].column, 1u);
    EXPECT_EQ(r->matches[7].row, 1u);
    EXPECT_EQ(r->matches[7].column, 4u);

    // An empty search text: every cell in partial mode, only empty cells exactly.
    EXPECT_EQ(LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 0, "")->matchCount, 25u);
    EXPECT_EQ(LVSearchString(dialog, kList, 0, 0, -1, -1, 0, 0, "")->matchCount, 5u);
}

TEST_F(ListHelpers, SearchCountsBeyondTheRecordsCapacityAndCutsALongSearchText)
{
    addColumns();
    const int rows = 13200;  // 66,000 cells
    for (int r = 0; r < rows; ++r)
        LVInsertItem(dialog, kList, static_cast<uint32_t>(-1), 0, nullptr, 0);
    ListSearchResult* r = LVSearchString(dialog, kList, 0, 0, -1, -1, 1, 0, "");
    EXPECT_EQ(r->matchCount, 66000u);
    EXPECT_EQ(r->matches[65535].row, 13107u);
    EXPECT_EQ(r->matches[65535].column, 0u);

    // A search text over 2,047 bytes is cut there: it then equals a 2,047-byte cell.
    platform::deleteAllListRows(list);
    addRows(1, "");
    const std::string cell(2047, 'a');
    LVSetText(dialog, kList, 0, 1, cell.c_str(), 0);
    const std::string wanted(3000, 'a');
    EXPECT_EQ(LVSearchString(dialog, kList, 0, 0, -1, -1, 0, 0, wanted.c_str())->matchCount, 1u);
}

TEST_F(ListHelpers, ComboStringsSplitKeepBlanksSkipEmptyPiecesAndSetUpTheBox)
{
    WindowHandle combo = platform::controlOf(dialog, kCombo);
    const TkRect before = platform::windowRect(combo);
    AddComboStrings(dialog, kCombo, " Very High (256kbps), High (128kbps), Medium (64kbps), Low (32kbps)", ",", 1, 100, 1);
    const char* expected[] = {" Very High (256kbps)", " High (128kbps)", " Medium (64kbps)", " Low (32kbps)"};
    ASSERT_EQ(platform::comboItemCount(combo), 4);
    char text[64];
    for (int i = 0; i < 4; ++i) {
        platform::comboItemText(combo, i, text, sizeof text);
        EXPECT_STREQ(text, expected[i]);
    }
    EXPECT_EQ(platform::comboSelection(combo), 1);
    const TkRect after = platform::windowRect(combo);
    EXPECT_EQ(after.bottom - after.top, 100);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(ListHelpers, ComboStringsEdgeCases)
{
    WindowHandle combo = platform::controlOf(dialog, kCombo);
    auto items = [&] {
        std::vector<std::string> out;
        char text[1100];
        for (int i = 0; i < platform::comboItemCount(combo); ++i) {
            platform::comboItemText(combo, i, text, sizeof text);
            out.emplace_back(text);
        }
        return out;
    };
    AddComboStrings(dialog, kCombo, "a,,b,", ",", 0, 500, 0);
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(platform::comboSelection(combo), -1);  // without set-up nothing is selected
    EXPECT_EQ(platform::windowRect(combo).bottom - platform::windowRect(combo).top, 21);

    AddComboStrings(dialog, kCombo, "one,two", "", 0, 0, 0);
    EXPECT_EQ(items().back(), "one,two");

    const int count = platform::comboItemCount(combo);
    AddComboStrings(dialog, kCombo, nullptr, ",", 1, 80, 0);
    EXPECT_EQ(platform::comboItemCount(combo), count);
    EXPECT_EQ(platform::comboSelection(combo), -1);
    EXPECT_EQ(platform::windowRect(combo).bottom - platform::windowRect(combo).top, 80);
    AddComboStrings(dialog, kCombo, "c", nullptr, 1, 90, 0);
    EXPECT_EQ(platform::comboItemCount(combo), count);
    EXPECT_EQ(platform::windowRect(combo).bottom - platform::windowRect(combo).top, 90);
}

TEST_F(ListHelpers, EnableWindows10SkipsZerosAndKeepsOrder)
{
    EnableWindows10(dialog, 0, 1000, 0, 1002, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(platform::isEnabled(platform::controlOf(dialog, 1000)));
    EXPECT_TRUE(platform::isEnabled(platform::controlOf(dialog, 1001)));
    EXPECT_FALSE(platform::isEnabled(platform::controlOf(dialog, 1002)));
    EnableWindows10(dialog, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);  // nothing at all
    EXPECT_TRUE(platform::isEnabled(dialog));
    EXPECT_TRUE(platform::isEnabled(platform::controlOf(dialog, 1001)));
    EnableWindows10(dialog, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1000, 1002);  // any non-zero enables
    EXPECT_TRUE(platform::isEnabled(platform::controlOf(dialog, 1000)));
    EXPECT_TRUE(platform::isEnabled(platform::controlOf(dialog, 1002)));
}

}  // namespace
