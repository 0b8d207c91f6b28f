// The main window's look: its colour answers, the slot labels it draws
// itself, the entry fields and focus every paint applies, the minimised
// icon, and that painting leaks no GDI object.
#include <gtest/gtest.h>

#include <tuple>

#include "model/SettingsRecord.h"
#include "platform/Resources.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"
#include "ui/SlotLabels.h"

namespace hv::test {
namespace {

using headless::DrawCall;

// Text drawn onto the window since `from`: colour, position, text.
using Drawn = std::tuple<Color, int, int, std::string>;
std::vector<Drawn> TextsDrawn(const headless::World& w, std::size_t from = 0) {
    std::vector<Drawn> out;
    std::map<std::uintptr_t, Color> colourOf;  // by device context
    for (std::size_t i = from; i < w.drawCalls.size(); ++i) {
        const DrawCall& c = w.drawCalls[i];
        if (c.kind == DrawCall::SetTextColor) colourOf[c.dc] = c.color;
        if (c.kind == DrawCall::TextOut) out.emplace_back(colourOf[c.dc], c.x, c.y, c.text);
    }
    return out;
}

// The labels as six slots would show them: beside the selector, before the
// overview field, and the colon, each in the slot's colour.
std::vector<Drawn> LabelsAsDrawn(const std::array<std::string, kLabelCount>& labels,
                                 const std::array<bool, kLabelCount>& active) {
    std::vector<Drawn> out;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const Color c = active[i] ? Rgb(46, 112, 36) : Rgb(154, 43, 43);
        const auto& at = kSlotLabelPlaces[i];
        out.emplace_back(c, at.besideSelector.x, at.besideSelector.y, labels[i]);
        out.emplace_back(c, at.beforeOverview.x, at.beforeOverview.y, labels[i]);
        out.emplace_back(c, at.colon.x, at.colon.y, ":");
    }
    return out;
}

const std::array<std::string, kLabelCount> kDefaultLabels = {"Alarmzeit 1    ", "Alarmzeit 2    ", "Alarmzeit 3    ",
                                                              "Alarmzeit 4    ", "Countdown      ", "Stoppuhr       "};

void Repaint(Scenario& s) {
    s.Wnd().Invalidate(true);
    s.Advance(0);
}

TEST(Painting, LabelsAreRedAtFirstStartAndGreenWhileTheirSlotIsActive) {
    Scenario s;
    s.Start();
    EXPECT_EQ(TextsDrawn(s.World()), LabelsAsDrawn(kDefaultLabels, {}));
    // The places lie right of the selector buttons and left of the overview fields.
    EXPECT_EQ(kSlotLabelPlaces[0].besideSelector.x, 40);
    EXPECT_EQ(kSlotLabelPlaces[5].beforeOverview.y, 530);

    auto& state = s.Dlg().State();
    for (std::size_t slot = 0; slot < kLabelCount; ++slot) {
        std::array<bool, kLabelCount> active{};
        active[slot] = true;
        state.alarms = {};
        state.countdown.active = slot == 4;
        if (slot == 5) state.stopwatch.Start(0); else state.stopwatch.Reset();
        if (slot < 4) state.alarms[slot].active = true;
        const std::size_t before = s.World().drawCalls.size();
        s.Dlg().DrawSlotLabels();
        EXPECT_EQ(TextsDrawn(s.World(), before), LabelsAsDrawn(kDefaultLabels, active)) << slot;
    }
}

TEST(Painting, AnArmedAlarmFromTheRecordIsGreenInBothPlaces) {
    Scenario s;
    s.WithSettings(RecordWith({{settings::AlarmActive(2), "t064500"}, {settings::Label(2), "Aufstehen!     "}}))
        .Start();
    auto labels = kDefaultLabels;
    labels[2] = "Aufstehen!     ";
    EXPECT_EQ(TextsDrawn(s.World()), LabelsAsDrawn(labels, {false, false, true}));
}

TEST(Painting, EveryPaintEnablesTheSelectedSlotsFieldsAndFocusesItsHours) {
    const int hours[] = {IDC_ALARM1_HOUR, IDC_ALARM2_HOUR, IDC_ALARM3_HOUR, IDC_ALARM4_HOUR, IDC_COUNTDOWN_HOUR};
    const std::vector<std::vector<int>> fields = {
        {IDC_ALARM1_HOUR, IDC_ALARM1_MIN, IDC_ALARM1_SEC},          {IDC_ALARM2_HOUR, IDC_ALARM2_MIN, IDC_ALARM2_SEC},
        {IDC_ALARM3_HOUR, IDC_ALARM3_MIN, IDC_ALARM3_SEC},          {IDC_ALARM4_HOUR, IDC_ALARM4_MIN, IDC_ALARM4_SEC},
        {IDC_COUNTDOWN_HOUR, IDC_COUNTDOWN_MIN, IDC_COUNTDOWN_SEC},
    };
    const std::pair<SlotSelector, int> rows[] = {
        {SlotSelector::None, -1},  {SlotSelector::Alarm1, 0}, {SlotSelector::Countdown, 4}, {SlotSelector::Stopwatch, -1},
        {SlotSelector::Alarm2, 1}, {SlotSelector::Alarm3, 2}, {SlotSelector::Alarm4, 3},
    };
    Scenario s;
    s.Start();
    for (const auto& [selector, row] : rows) {
        SCOPED_TRACE(static_cast<int>(selector));
        s.Click(IDC_SOUND);  // the focus is somewhere else in the window
        s.Dlg().State().selector = selector;
        Repaint(s);
        for (int r = 0; r < 5; ++r)
            for (int id : fields[static_cast<std::size_t>(r)]) EXPECT_EQ(s.Enabled(id), r == row) << id;
        EXPECT_EQ(s.FocusId(), row >= 0 ? hours[row] : IDC_SOUND);  // without fields, left where it was
    }
    // Where the disabled fields took the focus with them, the selector gets it,
    // so that the keyboard (Esc) keeps working.
    s.Dlg().State().selector = SlotSelector::Alarm2;
    Repaint(s);
    s.Dlg().State().selector = SlotSelector::Stopwatch;
    Repaint(s);
    EXPECT_EQ(s.FocusId(), IDC_STOPWATCH_CHECK);
    s.PressEscape();
    EXPECT_TRUE(s.Ended());
}

TEST(Painting, AMinimisedWindowShowsItsIconInsteadOfTheDialog) {
    Scenario s;
    s.Start();
    s.Wnd().Show(sw::kShowMinimized);
    const std::size_t before = s.World().drawCalls.size();
    s.Advance(0);
    std::vector<DrawCall::Kind> kinds;
    IconHandle drawn;
    for (std::size_t i = before; i < s.World().drawCalls.size(); ++i) {
        const auto& c = s.World().drawCalls[i];
        if (c.kind == DrawCall::DrawIcon) drawn = c.icon;
        if (c.kind == DrawCall::BeginPaint || c.kind == DrawCall::IconEraseBkgnd || c.kind == DrawCall::DrawIcon ||
            c.kind == DrawCall::EndPaint || c.kind == DrawCall::DefaultPaint)
            kinds.push_back(c.kind);
    }
    EXPECT_EQ(kinds, (std::vector<DrawCall::Kind>{DrawCall::BeginPaint, DrawCall::IconEraseBkgnd, DrawCall::DrawIcon,
                                                   DrawCall::EndPaint}));
    EXPECT_EQ(drawn, LoadAppIcon(IDR_MAINFRAME));
    LResult dragIcon = 0;
    EXPECT_TRUE(s.Dlg().Dispatch(msg::kQueryDragIcon, 0, 0, dragIcon));
    EXPECT_EQ(static_cast<std::uintptr_t>(dragIcon), LoadAppIcon(IDR_MAINFRAME).value);
}

TEST(Painting, ManyPaintsLeakNoGdiObject) {
    Scenario s;
    s.Start();
    for (int i = 0; i < 1000; ++i) Repaint(s);
    // The window's own three; a label font left selected could not be deleted.
    EXPECT_EQ(s.World().liveFonts.size(), 3u);
    EXPECT_EQ(s.World().liveBrushes.size(), 1u);
    EXPECT_EQ(s.World().OpenDeviceContexts(), 0u);
}

TEST(Colours, BlackOnWhiteWithTheClockDateAndStatusInTheirOwn) {
    Scenario s;
    s.Start();
    const auto colours = [&](int id) { return s.World().QueryColors(s.Wnd().Item(id)); };
    const auto white = colours(IDC_CLOCK).brush;
    ASSERT_TRUE(white);
    EXPECT_EQ(s.World().liveBrushes.at(white.value), Rgb(255, 255, 255));
    EXPECT_EQ(colours(IDC_CLOCK).textColor, Rgb(215, 56, 53));
    EXPECT_EQ(colours(IDC_DATE).textColor, Rgb(0, 0, 255));
    EXPECT_EQ(colours(IDC_STATUS).textColor, Rgb(255, 0, 0));
    for (int id : {IDC_CLOCK, IDC_DATE, IDC_STATUS}) EXPECT_EQ(colours(id).backgroundColor, Rgb(255, 255, 255));
    // Editable and disabled fields, overviews, push buttons, check boxes.
    s.Dlg().State().selector = SlotSelector::Alarm1;
    Repaint(s);
    for (int id : {IDC_ALARM1_HOUR, IDC_ALARM2_HOUR, IDC_ALARM1_OVERVIEW, IDC_START, IDC_SOUND, IDC_ALARM1_CHECK}) {
        const auto c = colours(id);
        EXPECT_TRUE(c.handled) << id;
        EXPECT_EQ(c.textColor, Rgb(0, 0, 0)) << id;
        EXPECT_EQ(c.backgroundColor, Rgb(255, 255, 255)) << id;
        EXPECT_EQ(c.brush, white) << id;
    }
    const auto dialog = s.World().QueryColors(s.Wnd());
    EXPECT_EQ(dialog.brush, white);
    EXPECT_FALSE(dialog.textColor);
    // Message boxes, list boxes and scroll bars keep Windows' own colours.
    for (int kind : {ctlcolor::kMsgBox, ctlcolor::kListBox, ctlcolor::kScrollBar}) {
        LResult brush = 0;
        EXPECT_FALSE(s.Dlg().Dispatch(msg::kCtlColorMsgBox + static_cast<unsigned>(kind), 0,
                                      static_cast<LParam>(s.Wnd().Handle().value), brush))
            << kind;
    }
}

TEST(Clock, EachSecondShowsTheTimeAndTheDateOfOneReading) {
    Scenario s;  // Sunday 2026-12-06 12:00:00 in Berlin
    s.Start();
    EXPECT_EQ(s.Text(IDC_CLOCK), "");
    s.Advance(1100);  // the tick comes just after the second begins
    EXPECT_EQ(s.Text(IDC_CLOCK), " 12:00:01 ");
    EXPECT_EQ(s.Text(IDC_DATE), "Sonntag, 06.12.2026");
    // Across midnight the date follows the same reading as the clock.
    s.World().SetWallClockMs(1796597999000LL);  // 23:59:59 local
    s.Advance(1100);
    EXPECT_EQ(s.Text(IDC_CLOCK), " 00:00:00 ");
    EXPECT_EQ(s.Text(IDC_DATE), "Montag, 07.12.2026");
}

}  // namespace
}  // namespace hv::test
