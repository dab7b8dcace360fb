// The window engine's rules against the fake window port: the build of a
// start window, event delivery and suppression, pre-translation of presses
// and keys, progress bar clamping, window destruction and the message
// loop, shutdown, and the fatal report's window lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fakes/gbk.h"
#include "fakes/window_port_fake.h"
#include "form_units.h"
#include "runtime/system/exit_routines.h"
#include "runtime/system/fatal_report.h"
#include "runtime/window/window_engine.h"
#include "runtime/window/window_engine_internal.h"

namespace pelmora {
namespace {

using engine::FireStatus;
using engine::InputMessage;

using testing::RectOf;

// The main window's units whose ids and places the test's form takes; its
// first label is a link.
const struct {
  const UnitRecord& own = testing::MainWindowUnit(UnitKind::kWindow);
  const UnitRecord& link = testing::MainWindowUnit(UnitKind::kLabel);
  const UnitRecord& group = testing::MainWindowUnit(UnitKind::kGroupBox);
  const UnitRecord& caption = testing::MainWindowUnit(group.children.at(0));
  const UnitRecord& bar = testing::MainWindowUnit(kProgressBarUnit);
  const UnitRecord& button = testing::MainWindowUnit(UnitKind::kButton);
} g_main;

constexpr std::int32_t kWindow = kMainWindowId;
constexpr std::int32_t kOtherWindow = kMainWindowId + 1;
constexpr std::int32_t kBar = kProgressBarUnit;
const std::int32_t kLink = g_main.link.id;
const std::int32_t kButton = g_main.button.id;

// What the handlers saw, for the assertions.
struct Seen {
  std::vector<std::string> calls;
  std::vector<std::int32_t> arguments;
  bool window_visible_at_created = true;
  int suppression_at_created = -1;
  std::int32_t source_unit = -1;
  HandlerResult press_result;
} g_seen;

HandlerResult OnCreated(const std::int32_t*, int) {
  g_seen.calls.push_back("created");
  const port::NativeWindow form = fake::Windows().FormWindow();
  g_seen.window_visible_at_created = fake::Windows().windows[form].visible;
  g_seen.suppression_at_created = engine::EventSuppressionCount();
  return HandlerResult::None();
}

HandlerResult OnPress(const std::int32_t* arguments, int count) {
  g_seen.calls.push_back("press");
  g_seen.arguments.assign(arguments, arguments + count);
  g_seen.source_unit = engine::CurrentEventUnit();
  return g_seen.press_result;
}

HandlerResult OnClicked(const std::int32_t*, int) {
  g_seen.calls.push_back("clicked");
  return HandlerResult::None();
}

const EventHandler kHandlers[] = {OnCreated, OnPress, OnClicked};

using testing::VisibleUnitLike;

// A smaller cousin of the main window: its units' ids and places, the same
// kinds, the same nesting, bound to this test's handlers.
FormDescription TestForm() {
  WindowRecord window;
  window.window_id = kWindow;
  UnitRecord own = VisibleUnitLike(g_main.own);
  own.tag = "main";
  own.events = {{0, 0}};
  UnitRecord link = VisibleUnitLike(g_main.link);
  link.tag = "link";
  link.events = {{-1, 1}};
  UnitRecord caption = VisibleUnitLike(g_main.caption);
  caption.parent_id = g_main.group.id;
  UnitRecord bar = VisibleUnitLike(g_main.bar);
  UnitRecord button = VisibleUnitLike(g_main.button);
  button.flags |= kFlagTabStop;
  button.events = {{0, 2}, {-1, kNoHandler}};
  UnitRecord group = VisibleUnitLike(g_main.group);
  group.children = {caption.id};
  group.has_kind_data = false;
  window.units = {own, link, caption, bar, button, group};
  FormDescription form;
  form.windows.push_back(window);
  return form;
}

class WindowEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = Seen();
    fake::Windows().Clear();
    engine::ResetForTests();
  }
  void TearDown() override { engine::ResetForTests(); }

  void Load(FormDescription form = TestForm()) {
    engine::LoadForms(std::move(form), kHandlers, 3);
  }
  void LoadAndBuild(FormDescription form = TestForm()) {
    Load(std::move(form));
    ASSERT_TRUE(LoadStartWindow(kWindow));
  }
  static port::NativeWindow Control(std::int32_t id) { return fake::Windows().Control(id); }
  static fake::FakeWindow& Record(port::NativeWindow handle) {
    return fake::Windows().windows[handle];
  }
  static InputMessage Press(port::NativeWindow target, std::int32_t x, std::int32_t y,
                            std::int32_t modifiers = 0) {
    InputMessage message;
    message.kind = InputMessage::Kind::kLeftButtonDown;
    message.target = target;
    message.x = x;
    message.y = y;
    message.modifiers = modifiers;
    return message;
  }
  static InputMessage Key(std::int32_t key, std::int32_t modifiers = 0) {
    InputMessage message;
    message.target = fake::Windows().Control(110);  // the button holds the focus
    message.key = key;
    message.modifiers = modifiers;
    return message;
  }
};

TEST_F(WindowEngineTest, BuildCreatesUnitsLastToFirstWithIdsFrom100) {
  LoadAndBuild();
  // Table order: link, caption, bar, button, group; built backwards.
  EXPECT_EQ(Record(Control(100)).kind, UnitKind::kGroupBox);
  EXPECT_EQ(Record(Control(110)).kind, UnitKind::kButton);
  EXPECT_EQ(Record(Control(120)).kind, UnitKind::kProcessBar);
  EXPECT_EQ(Record(Control(130)).kind, UnitKind::kLabel);
  EXPECT_EQ(Record(Control(140)).kind, UnitKind::kLabel);
  EXPECT_EQ(Control(150), 0u);
  // The caption lives inside the group box.
  EXPECT_EQ(Record(Control(130)).parent, Control(100));
  EXPECT_EQ(Record(Control(140)).parent, fake::Windows().FormWindow());
}

TEST_F(WindowEngineTest, FirstTableEntryIsOnTopAndTheRestFollowPerParent) {
  LoadAndBuild();
  EXPECT_EQ(Record(Control(140)).z, 0);  // link
  EXPECT_EQ(Record(Control(120)).z, 1);  // bar, below the link
  EXPECT_EQ(Record(Control(110)).z, 2);  // button
  EXPECT_EQ(Record(Control(100)).z, 3);  // group, last
  EXPECT_EQ(Record(Control(130)).z, 0);  // alone inside the group
}

TEST_F(WindowEngineTest, WindowIsCentredWithIntegerHalves) {
  fake::Windows().screen_width = 1025;
  fake::Windows().screen_height = 769;
  LoadAndBuild();
  const fake::FakeWindow& form = Record(fake::Windows().FormWindow());
  EXPECT_EQ(form.left, 322);
  EXPECT_EQ(form.top, 259);
  EXPECT_EQ(form.width, g_main.own.width);
  EXPECT_EQ(form.height, g_main.own.height);
  EXPECT_EQ(form.owner, 0u);  // shown in the taskbar: no hidden owner
}

TEST_F(WindowEngineTest, StoredPositionIsUsedWithoutCentring) {
  FormDescription form = TestForm();
  form.windows[0].units[0].window.start_position = kStartAsStored;
  LoadAndBuild(form);
  EXPECT_EQ(Record(fake::Windows().FormWindow()).left, 50);
}

scale::Rect RectOf(const fake::FakeWindow& window) {
  return {window.left, window.top, window.width, window.height};
}

// Each built unit's control and the unit it was built from.
std::vector<std::pair<std::int32_t, const UnitRecord*>> BuiltUnits() {
  return {{100, &g_main.group}, {110, &g_main.button}, {120, &g_main.bar},
          {130, &g_main.caption}, {140, &g_main.link}};
}

TEST_F(WindowEngineTest, At96DpiEveryUnitKeepsItsStoredRectangle) {
  LoadAndBuild();
  EXPECT_EQ(Record(fake::Windows().FormWindow()).font_dpi, 96);
  for (const auto& [control, unit] : BuiltUnits()) {
    EXPECT_EQ(RectOf(Record(Control(control))), RectOf(*unit)) << control;
    EXPECT_EQ(Record(Control(control)).font_dpi, 96) << control;
  }
}

TEST_F(WindowEngineTest, At144DpiClientAreaAndUnitsScaleAndTheWindowIsCentredAgain) {
  fake::Windows().dpi = 144;
  LoadAndBuild();
  // Client 374 x 225 (380 x 250 less the 96-DPI frame) becomes 561 x 338;
  // the 144-DPI frame (5, 25, 5, 5) goes around it.
  const fake::FakeWindow& form = Record(fake::Windows().FormWindow());
  EXPECT_EQ(RectOf(form), (scale::Rect{226, 200, 571, 368}));
  // Inside its container the caption's place scales too.
  for (const auto& [control, unit] : BuiltUnits()) {
    EXPECT_EQ(RectOf(Record(Control(control))), scale::RectToDpi(RectOf(*unit), 144)) << control;
    EXPECT_EQ(Record(Control(control)).font_dpi, 144) << control;
  }
  EXPECT_EQ(form.font_dpi, 144);
}

TEST_F(WindowEngineTest, At120DpiAWindowWithAStoredPlaceStaysThere) {
  fake::Windows().dpi = 120;
  FormDescription form = TestForm();
  form.windows[0].units[0].window.start_position = kStartAsStored;
  LoadAndBuild(form);
  // 467.5 -> 468 wide plus sides of 4; 281.25 -> 281 high plus 23 + 4.
  EXPECT_EQ(RectOf(Record(fake::Windows().FormWindow())), (scale::Rect{50, 50, 476, 308}));
}

TEST_F(WindowEngineTest, DpiChangeTakesTheSuggestedRectThenRelaysAndRefontsEveryUnit) {
  LoadAndBuild();
  const port::NativeWindow form = fake::Windows().FormWindow();
  engine::FormDpiChanged(form, 192, {10, 20, 770, 520});
  EXPECT_EQ(RectOf(Record(form)), (scale::Rect{10, 20, 770, 520}));
  for (const auto& [control, unit] : BuiltUnits()) {
    EXPECT_EQ(RectOf(Record(Control(control))), scale::RectToDpi(RectOf(*unit), 192)) << control;
    EXPECT_EQ(Record(Control(control)).font_dpi, 192) << control;
  }
  EXPECT_EQ(Record(form).font_dpi, 192);

  // Back on a 96-DPI display the stored rectangles return exactly.
  engine::FormDpiChanged(form, 96, {10, 20, 380, 250});
  for (const auto& [control, unit] : BuiltUnits()) {
    EXPECT_EQ(RectOf(Record(Control(control))), RectOf(*unit)) << control;
    EXPECT_EQ(Record(Control(control)).font_dpi, 96) << control;
  }
}

TEST_F(WindowEngineTest, DpiChangeOfAWindowThatIsNotAFormChangesNothing) {
  LoadAndBuild();
  engine::FormDpiChanged(Control(110), 144, {0, 0, 1, 1});
  engine::FormDpiChanged(0xDEAD, 144, {0, 0, 1, 1});
  EXPECT_EQ(RectOf(Record(Control(110))), RectOf(g_main.button));
  EXPECT_EQ(Record(fake::Windows().FormWindow()).width, g_main.own.width);
  EXPECT_EQ(Record(Control(110)).font_dpi, 96);
}

TEST_F(WindowEngineTest, CreatedRunsUnsuppressedBeforeTheWindowIsShown) {
  LoadAndBuild();
  ASSERT_EQ(g_seen.calls, std::vector<std::string>{"created"});
  EXPECT_FALSE(g_seen.window_visible_at_created);
  EXPECT_EQ(g_seen.suppression_at_created, 0);
  EXPECT_TRUE(Record(fake::Windows().FormWindow()).visible);
  EXPECT_TRUE(IsWindowOpen(kWindow));
  EXPECT_NE(NativeHandleOfWindow(kWindow), 0u);
}

TEST_F(WindowEngineTest, LoadingAnOpenWindowAgainBuildsNothing) {
  LoadAndBuild();
  const std::size_t windows = fake::Windows().windows.size();
  EXPECT_TRUE(LoadStartWindow(kWindow));
  EXPECT_EQ(fake::Windows().windows.size(), windows);
  EXPECT_EQ(g_seen.calls.size(), 1u);
}

TEST_F(WindowEngineTest, EventsAreDroppedWhileSuppressed) {
  Load();
  engine::RaiseEventSuppression();
  EXPECT_EQ(engine::FireEvent(kWindow, 0, 0, nullptr, 0).status, FireStatus::kSuppressed);
  engine::LowerEventSuppression();
  EXPECT_EQ(engine::FireEvent(kWindow, 0, 0, nullptr, 0).status, FireStatus::kHandled);
  EXPECT_EQ(g_seen.calls, std::vector<std::string>{"created"});
}

TEST_F(WindowEngineTest, UnboundEventsAndUnknownHandlerReferencesDoNothing) {
  FormDescription form = TestForm();
  form.windows[0].units[1].events.push_back({7, 99});  // outside the table
  Load(form);
  EXPECT_EQ(engine::FireEvent(kWindow, kLink, 7, nullptr, 0).status, FireStatus::kNotBound);
  EXPECT_EQ(engine::FireEvent(kWindow, kButton, -1, nullptr, 0).status, FireStatus::kNotBound);
  EXPECT_EQ(engine::FireEvent(kWindow, kBar, 0, nullptr, 0).status, FireStatus::kNotBound);
  EXPECT_TRUE(g_seen.calls.empty());
}

TEST_F(WindowEngineTest, HandlerSeesItsEventSourceOnlyWhileItRuns) {
  Load();
  engine::FireEvent(kWindow, kLink, -1, nullptr, 0);
  EXPECT_EQ(g_seen.source_unit, kLink);
  EXPECT_EQ(engine::CurrentEventUnit(), 0);
  EXPECT_EQ(engine::CurrentEventWindow(), 0);
}

using WindowEngineDeathTest = WindowEngineTest;

TEST_F(WindowEngineDeathTest, EventsForUnknownWindowsOrUnitsAreFatal) {
  Load();
  EXPECT_EXIT(engine::FireEvent(kOtherWindow, 0, 0, nullptr, 0), ::testing::ExitedWithCode(255),
              u8"未找到引发事件的窗口\r\n");
  EXPECT_EXIT(engine::FireEvent(kWindow, 0x16010999, 0, nullptr, 0),
              ::testing::ExitedWithCode(255), u8"未找到引发事件的窗口组件\r\n");
}

TEST_F(WindowEngineTest, LeftPressIsConsumedOnlyWhenTheHandlerReturnsZero) {
  LoadAndBuild();
  const port::NativeWindow link = Control(140);

  g_seen.press_result = HandlerResult::None();
  constexpr std::int32_t kCtrlAndAlt = engine::kModifierCtrl | engine::kModifierAlt;
  EXPECT_FALSE(engine::PreTranslateInput(Press(link, 0x1234, 7, kCtrlAndAlt)));
  EXPECT_EQ(g_seen.arguments, (std::vector<std::int32_t>{0x1234, 7, kCtrlAndAlt}));

  g_seen.press_result = HandlerResult::Value(1);
  EXPECT_FALSE(engine::PreTranslateInput(Press(link, 1, 1)));

  g_seen.press_result = HandlerResult::Value(0);
  EXPECT_TRUE(engine::PreTranslateInput(Press(link, 1, 1)));
  EXPECT_EQ(g_seen.calls.size(), 4u);  // created + three presses
}

TEST_F(WindowEngineTest, PressPositionArrivesAsUnsigned16BitValues) {
  LoadAndBuild();
  (void)engine::PreTranslateInput(Press(Control(140), -1, 0x12345));
  ASSERT_EQ(g_seen.arguments.size(), 3u);
  EXPECT_EQ(g_seen.arguments[0], 0xFFFF);
  EXPECT_EQ(g_seen.arguments[1], 0x2345);
}

TEST_F(WindowEngineTest, PressesOnOtherUnitsReachNoLinkHandler) {
  LoadAndBuild();
  EXPECT_FALSE(engine::PreTranslateInput(Press(Control(110), 3, 3)));
  EXPECT_FALSE(engine::PreTranslateInput(Press(0xDEAD, 3, 3)));  // not ours
  EXPECT_EQ(g_seen.calls.size(), 1u);
}

TEST_F(WindowEngineTest, PlainEscClosesTheWindowButNotWithModifiers) {
  LoadAndBuild();
  for (std::int32_t modifiers :
       {engine::kModifierCtrl, engine::kModifierShift, engine::kModifierAlt}) {
    EXPECT_FALSE(engine::PreTranslateInput(Key(engine::kKeyEscape, modifiers)));
  }
  EXPECT_TRUE(IsWindowOpen(kWindow));
  EXPECT_TRUE(engine::PreTranslateInput(Key(engine::kKeyEscape)));
  EXPECT_EQ(fake::Windows().closes, 1);
  EXPECT_FALSE(IsWindowOpen(kWindow));
}

TEST_F(WindowEngineTest, EscDoesNothingWhenTheWindowDoesNotCloseOnIt) {
  FormDescription form = TestForm();
  form.windows[0].units[0].window.esc_closes = 0;
  LoadAndBuild(form);
  EXPECT_FALSE(engine::PreTranslateInput(Key(engine::kKeyEscape)));
  EXPECT_TRUE(IsWindowOpen(kWindow));
}

TEST_F(WindowEngineTest, TabMovesFocusAndEnterOnlyWhenAskedTo) {
  LoadAndBuild();
  EXPECT_TRUE(engine::PreTranslateInput(Key(engine::kKeyTab)));
  EXPECT_FALSE(engine::PreTranslateInput(Key(engine::kKeyEnter)));
  EXPECT_FALSE(engine::PreTranslateInput(Key(engine::kKeyTab, engine::kModifierShift)));
  EXPECT_EQ(fake::Windows().focus_moves, 1);
}

TEST_F(WindowEngineTest, ButtonClickFiresClicked) {
  LoadAndBuild();
  engine::UnitClicked(Control(110));
  engine::UnitClicked(Control(140));  // a label is no button
  EXPECT_EQ(g_seen.calls, (std::vector<std::string>{"created", "clicked"}));
}

TEST_F(WindowEngineTest, ProgressPositionIsClampedToTheStoreAndTheRange) {
  LoadAndBuild();
  const port::NativeWindow bar = Control(120);
  WriteUnitProperty(kWindow, kBar, 13, -1, 40);
  EXPECT_EQ(Record(bar).position, 40);
  WriteUnitProperty(kWindow, kBar, 13, -1, -5);
  EXPECT_EQ(Record(bar).position, 0);
  WriteUnitProperty(kWindow, kBar, 13, -1, 40000);
  EXPECT_EQ(Record(bar).position, 100);
  // 40,000 was stored as 32,767: a wider range shows the stored value.
  WriteUnitProperty(kWindow, kBar, 12, -1, 32767);
  EXPECT_EQ(Record(bar).position, 32767);
  // Only the low 32 bits of the slot carry the integer.
  WriteUnitProperty(kWindow, kBar, 13, -1, (std::int64_t{1} << 32) | 20);
  EXPECT_EQ(Record(bar).position, 20);
}

TEST_F(WindowEngineTest, SwappedBoundsGiveTheSwappedRange) {
  FormDescription form = TestForm();
  form.windows[0].units[3].process_bar.minimum = 80;
  form.windows[0].units[3].process_bar.maximum = 20;
  form.windows[0].units[3].process_bar.position = 5;
  LoadAndBuild(form);
  const port::NativeWindow bar = Control(120);
  EXPECT_EQ(Record(bar).range_low, 20);
  EXPECT_EQ(Record(bar).range_high, 80);
  EXPECT_EQ(Record(bar).position, 20);
  WriteUnitProperty(kWindow, kBar, 11, -1, -3);  // minimum clamped to 0
  EXPECT_EQ(Record(bar).range_low, 0);
  EXPECT_EQ(Record(bar).range_high, 20);
  WriteUnitProperty(kWindow, kBar, 8, -1, 9);
  EXPECT_EQ(Record(bar).frame, 5);
}

TEST_F(WindowEngineDeathTest, PropertyWritesNeedALoadedAndOpenWindow) {
  EXPECT_EXIT(WriteUnitProperty(kWindow, kBar, 13, -1, 1), ::testing::ExitedWithCode(255),
              u8"错误信息：未载入欲访问窗口组件所在的窗口");
  Load();
  EXPECT_EXIT(WriteUnitProperty(kWindow, kBar, 13, -1, 1), ::testing::ExitedWithCode(255),
              u8"错误信息：修改组件属性时发现指定窗口尚未载入");
}

TEST_F(WindowEngineDeathTest, ClosedWindowIsNotOpenForPropertyWrites) {
  LoadAndBuild();
  fake::Windows().Destroy(fake::Windows().FormWindow());
  EXPECT_FALSE(IsWindowOpen(kWindow));
  EXPECT_EQ(NativeHandleOfWindow(kWindow), 0u);
  EXPECT_EXIT(WriteUnitProperty(kWindow, kBar, 13, -1, 80), ::testing::ExitedWithCode(255),
              u8"修改组件属性时发现指定窗口尚未载入\r\n\r\n" + std::to_string(kWindow) + ", " +
                  std::to_string(kBar));
}

TEST_F(WindowEngineTest, DestroyedWindowGetsItsStoredTableBack) {
  LoadAndBuild();
  WriteUnitProperty(kWindow, kBar, 13, -1, 60);
  fake::Windows().Destroy(fake::Windows().FormWindow());
  ASSERT_TRUE(LoadStartWindow(kWindow));
  EXPECT_EQ(Record(Control(120)).position, 0);  // as stored, not 60
}

TEST_F(WindowEngineDeathTest, StartWindowThatCannotBeBuiltIsFatal) {
  fake::Windows().fail_unit_creation_at = 2;
  Load();
  EXPECT_EXIT((void)LoadStartWindow(kWindow), ::testing::ExitedWithCode(255),
              u8"错误信息：载入启动窗口失败\r\n\r\n" + std::to_string(kWindow) +
                  u8", 0\r\n\"main\"\r\n\"main\"");
  EXPECT_EXIT((void)LoadStartWindow(kOtherWindow), ::testing::ExitedWithCode(255),
              u8"载入启动窗口失败\r\n\r\n" + std::to_string(kOtherWindow) +
                  u8", 0\r\n未找到所指定的窗口");
}

TEST_F(WindowEngineDeathTest, FatalReportCarriesTheWindowLines) {
  Load();
  EXPECT_EXIT(ReportRuntimeFailure("x", kWindow, kLink), ::testing::ExitedWithCode(255),
              u8"\r\n\"main\"\r\n\"link\"\r\n$");
  EXPECT_EXIT(ReportRuntimeFailure("x", kWindow, 0x16010999), ::testing::ExitedWithCode(255),
              u8"\r\n\"main\"\r\n未找到所指定的窗口组件\r\n$");
}

TEST_F(WindowEngineTest, MessageLoopReturnsAtOnceWithoutAnOpenWindow) {
  Load();
  RunMessageLoop();
  EXPECT_TRUE(engine::InMessageLoop());
  EXPECT_TRUE(fake::Windows().queue.empty());
}

TEST_F(WindowEngineTest, ClosingTheLastWindowInTheLoopEndsTheLoop) {
  LoadAndBuild();
  fake::Windows().PostOther(fake::Windows().FormWindow());
  fake::Windows().PostInput(Key(engine::kKeyEscape));
  fake::Windows().PostOther(0);  // still pumped before the quit message
  RunMessageLoop();
  EXPECT_FALSE(IsWindowOpen(kWindow));
  EXPECT_EQ(fake::Windows().dispatched.size(), 2u);
  EXPECT_TRUE(fake::Windows().queue.empty());
}

TEST_F(WindowEngineTest, ClosingBeforeTheLoopPostsNoQuit) {
  LoadAndBuild();
  fake::Windows().Destroy(fake::Windows().FormWindow());
  EXPECT_TRUE(fake::Windows().queue.empty());
}

TEST_F(WindowEngineTest, PendingEventsStopAtTheQuitMessage) {
  LoadAndBuild();
  fake::Windows().PostClick(Control(110));
  port::PostQuit(0);
  fake::Windows().PostClick(Control(110));
  ProcessPendingEvents();
  EXPECT_EQ(g_seen.calls, (std::vector<std::string>{"created", "clicked"}));
  ASSERT_EQ(fake::Windows().queue.size(), 2u);
  EXPECT_EQ(fake::Windows().queue.front().kind, fake::FakeMessage::Kind::kQuit);
}

TEST_F(WindowEngineTest, PendingPressesArePreTranslated) {
  LoadAndBuild();
  g_seen.press_result = HandlerResult::Value(0);
  fake::Windows().PostInput(Press(Control(140), 2, 2));
  ProcessPendingEvents();
  EXPECT_EQ(g_seen.calls.back(), "press");
  EXPECT_TRUE(fake::Windows().dispatched.empty());  // consumed
}

std::vector<int> g_exit_order;
void FirstRoutine() { g_exit_order.push_back(1); }
void SecondRoutine() { g_exit_order.push_back(2); }

TEST_F(WindowEngineTest, ExitRoutinesRunOnceInRegistrationOrder) {
  g_exit_order.clear();
  RegisterExitRoutine(FirstRoutine);
  RegisterExitRoutine(SecondRoutine);
  RegisterExitRoutine(FirstRoutine);
  Shutdown(0);
  Shutdown(0);
  EXPECT_EQ(g_exit_order, (std::vector<int>{1, 2}));
  EXPECT_GE(engine::EventSuppressionCount(), 1);
}

TEST_F(WindowEngineDeathTest, ExitProgramEndsWithTheCodeAfterTheRoutines) {
  RegisterExitRoutine([] { std::fputs("routine ran\n", stderr); });
  EXPECT_EXIT(ExitProgram(3), ::testing::ExitedWithCode(3), "routine ran");
}

TEST_F(WindowEngineDeathTest, ShutdownOnAnotherThreadPostsAndEndsWithoutRoutines) {
  RegisterExitRoutine([] { std::fputs("routine ran\n", stderr); });
  fake::Windows().on_main_thread = false;
  engine::SetHiddenOwner(0x99);
  EXPECT_EXIT(
      {
        Shutdown(7);
        std::fprintf(stderr, "returned");
      },
      ::testing::ExitedWithCode(7), "^$");
}

HandlerResult OnMenuCommand(const std::int32_t*, int count) {
  g_seen.calls.push_back("menu command");
  g_seen.arguments.assign(1, count);
  return HandlerResult::None();
}

constexpr std::uint32_t kMenuCommand = 0x0110;

TEST_F(WindowEngineTest, SystemMenuItemFollowsASeparatorAndReachesItsHandler) {
  LoadAndBuild();
  const port::NativeWindow form = fake::Windows().FormWindow();
  ASSERT_TRUE(AddSystemMenuCommand(kWindow, kMenuCommand, "item", OnMenuCommand));
  using Addition = std::pair<std::uint32_t, std::string>;
  EXPECT_EQ(Record(form).system_menu_additions,
            (std::vector<Addition>{{0u, ""}, {kMenuCommand, "item"}}));

  EXPECT_TRUE(engine::SystemCommandChosen(form, kMenuCommand));
  EXPECT_EQ(g_seen.calls, (std::vector<std::string>{"created", "menu command"}));
  EXPECT_EQ(g_seen.arguments, std::vector<std::int32_t>{0});  // no arguments
  // The system's own commands (close, move) stay with the system.
  EXPECT_FALSE(engine::SystemCommandChosen(form, 0xF060));
  EXPECT_FALSE(engine::SystemCommandChosen(form, kMenuCommand + 0x10));
  EXPECT_EQ(g_seen.calls.size(), 2u);
}

TEST_F(WindowEngineTest, SystemMenuCommandIsTheProgramsOwnButSilentWhileSuppressed) {
  LoadAndBuild();
  const port::NativeWindow form = fake::Windows().FormWindow();
  ASSERT_TRUE(AddSystemMenuCommand(kWindow, kMenuCommand, "item", OnMenuCommand));
  engine::RaiseEventSuppression();
  EXPECT_TRUE(engine::SystemCommandChosen(form, kMenuCommand));
  engine::LowerEventSuppression();
  EXPECT_EQ(g_seen.calls, std::vector<std::string>{"created"});
}

TEST_F(WindowEngineTest, NoSystemMenuItemForAClosedWindowARefusingMenuOrAnotherWindow) {
  Load();
  EXPECT_FALSE(AddSystemMenuCommand(kWindow, kMenuCommand, "item", OnMenuCommand));
  ASSERT_TRUE(LoadStartWindow(kWindow));
  const port::NativeWindow form = fake::Windows().FormWindow();
  fake::Windows().refuse_system_menu_items = true;
  EXPECT_FALSE(AddSystemMenuCommand(kWindow, kMenuCommand, "item", OnMenuCommand));
  EXPECT_FALSE(engine::SystemCommandChosen(form, kMenuCommand));

  // A window built again has a fresh menu: the old window's item is gone.
  fake::Windows().refuse_system_menu_items = false;
  ASSERT_TRUE(AddSystemMenuCommand(kWindow, kMenuCommand, "item", OnMenuCommand));
  fake::Windows().Destroy(form);
  ASSERT_TRUE(LoadStartWindow(kWindow));
  const port::NativeWindow rebuilt = fake::Windows().FormWindow();
  EXPECT_FALSE(engine::SystemCommandChosen(form, kMenuCommand));
  EXPECT_FALSE(engine::SystemCommandChosen(rebuilt, kMenuCommand));
  EXPECT_EQ(std::count(g_seen.calls.begin(), g_seen.calls.end(), "menu command"), 0);
}

TEST(IconEntryChoice, PrefersTheSizeWithEnoughColoursElseTheLastEntry) {
  auto entry = [](int width, int colors, int bits, std::uint32_t size, std::uint32_t offset) {
    std::string e(16, '\0');
    e[0] = static_cast<char>(width);
    e[1] = static_cast<char>(width);
    e[2] = static_cast<char>(colors);
    e[6] = static_cast<char>(bits);
    for (int i = 0; i < 4; ++i) {
      e[8 + i] = static_cast<char>(size >> (8 * i));
      e[12 + i] = static_cast<char>(offset >> (8 * i));
    }
    return e;
  };
  std::string file("\0\0\1\0\3\0", 6);
  file += entry(16, 2, 1, 10, 54);   // 16 px but only two colours
  file += entry(32, 0, 32, 10, 64);
  file += entry(0, 0, 32, 10, 74);   // 256 px
  file += std::string(30, 'x');
  std::size_t offset = 0, length = 0;
  ASSERT_TRUE(engine::ChooseIconEntry(file, 32, &offset, &length));
  EXPECT_EQ(offset, 64u);
  ASSERT_TRUE(engine::ChooseIconEntry(file, 16, &offset, &length));
  EXPECT_EQ(offset, 74u);  // the two-colour entry does not count
  EXPECT_FALSE(engine::ChooseIconEntry(file.substr(0, 40), 32, &offset, &length));
  EXPECT_FALSE(engine::ChooseIconEntry(file.substr(0, 70), 32, &offset, &length));
  EXPECT_FALSE(engine::ChooseIconEntry(std::string(), 32, &offset, &length));
}

}  // namespace
}  // namespace pelmora
