// Order of events, dialogs, focus, keys and properties of the window
// framework, recorded as handlers see them and compared with expected
// sequences named after the action performed.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "tests/gui/child_runner.h"
#include "tests/gui/gui_support.h"
#include "ui/framework.h"
#include "ui/live_window.h"
#include "ui/window_table.h"

namespace tavrel {
namespace {

using testing::RecordedEvent;
using testing::SameSequence;

constexpr WindowId M = MainWindow;
constexpr WindowId R = ResultsWindow;
constexpr ControlId MU = MainWindowUnit;
constexpr ControlId RU = ResultsWindowUnit;
constexpr int32_t kMarker = 1000;  // events a test notes itself

std::vector<RecordedEvent> Only(const std::vector<RecordedEvent>& events, std::initializer_list<int32_t> numbers) {
  std::vector<RecordedEvent> kept;
  for (const auto& e : events)
    if (std::find(numbers.begin(), numbers.end(), e.number) != numbers.end()) kept.push_back(e);
  return kept;
}

RecordedEvent Marker(WindowId window, int32_t number) { return {window, 0, kMarker + number}; }

class FrameworkTest : public testing::GuiTest {};

TEST_F(FrameworkTest, LoadingMainWindow) {
  testing::EventRecorder recorder;
  bool visibleAtCreated = true;
  std::string captionAtCreated;
  testing::SetHandler(testing::HandlerSlot::MainCreated, [&] {
    visibleAtCreated = IsWindowVisible(testing::LiveHwnd(M)) != FALSE;
    captionAtCreated = testing::WindowTextOf(testing::LiveHwnd(M));
  });
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();

  const std::vector<RecordedEvent> loadingMainWindow = {
      {M, MU, event::Created},  {M, MU, event::Moved},     {M, MU, event::Resized},
      {M, MU, event::Shown},    {M, MU, event::FocusGained}, {M, 编辑框1, event::FocusGained},
      {M, MU, event::FirstActivated}, {M, MU, event::Activated},
  };
  EXPECT_TRUE(SameSequence(loadingMainWindow, recorder.events()));
  EXPECT_FALSE(visibleAtCreated);
  EXPECT_EQ(captionAtCreated, "Tavrel");

  HWND main = testing::LiveHwnd(M);
  RECT outer{};
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 355);
  EXPECT_EQ(outer.bottom - outer.top, 411);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 355) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 411) / 2);
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr) << "MainWindow is unowned and has a taskbar button";
  EXPECT_EQ(GetFocus(), testing::LiveHwnd(M, 编辑框1));
}

TEST_F(FrameworkTest, LoadingAWindowThatIsLoadedBringsItForwardWithoutEvents) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  testing::EventRecorder recorder;
  HWND before = testing::LiveHwnd(M);
  EXPECT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  EXPECT_EQ(testing::LiveHwnd(M), before);
  EXPECT_TRUE(Only(recorder.events(), {event::Created, event::FirstActivated}).empty());
}

TEST_F(FrameworkTest, LoadingWithAnOwnerThatIsNotLoadedFails) {
  testing::EventRecorder recorder;
  EXPECT_FALSE(LoadWindow(R, M, true));
  EXPECT_FALSE(LoadWindow(0x52019999, std::nullopt, false));
  EXPECT_TRUE(recorder.events().empty());
  EXPECT_EQ(testing::LiveHwnd(R), nullptr);
}

// A dialog loaded from a handler: FirstActivated runs inside LoadWindow
// while the owner is still enabled; then the owner is disabled, the nested
// loop runs, Esc closes the dialog, the owner is enabled before the dialog
// is destroyed, and LoadWindow returns true.
TEST_F(FrameworkTest, DialogLoadedFromAHandler) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  HWND main = testing::LiveHwnd(M);
  testing::EventRecorder recorder;
  bool mainEnabledAtFirstActivation = false, mainEnabledInLoop = true;
  HWND dialogOwner = nullptr;
  bool result = false;
  testing::SetHandler(testing::HandlerSlot::ResultsFirstActivated, [&] {
    mainEnabledAtFirstActivation = IsWindowEnabled(main) != FALSE;
    recorder.Note(Marker(R, 1));
  });
  testing::TimerScript script({
      [&] {
        recorder.Note(Marker(R, 2));  // inside the nested loop
        mainEnabledInLoop = IsWindowEnabled(main) != FALSE;
        dialogOwner = GetWindow(testing::LiveHwnd(R), GW_OWNER);
      },
      [&] { testing::PressKey(VK_ESCAPE); },
  });
  testing::SetHandler(testing::HandlerSlot::StartClicked, [&] {
    result = LoadWindow(R, M, true);
    recorder.Note(Marker(M, 3));  // LoadWindow returned
  });
  SendMessageA(testing::LiveHwnd(M, 按钮1), BM_CLICK, 0, 0);
  EXPECT_TRUE(script.Finished());

  // FirstActivated is recorded as it is raised, before its handler notes 1.
  const std::vector<RecordedEvent> dialogFromHandler = {
      {M, 按钮1, event::Clicked}, {R, RU, event::Created},       {R, RU, event::FirstActivated}, Marker(R, 1),
      Marker(R, 2),              {R, RU, event::CloseRequest}, {R, RU, event::Destroyed},      Marker(M, 3),
  };
  EXPECT_TRUE(SameSequence(dialogFromHandler, Only(recorder.events(), {event::Clicked, event::FirstActivated,
                                                                event::CloseRequest, event::Destroyed, kMarker + 1,
                                                                kMarker + 2, kMarker + 3})));
  EXPECT_TRUE(result);
  EXPECT_TRUE(mainEnabledAtFirstActivation);
  EXPECT_FALSE(mainEnabledInLoop);
  EXPECT_EQ(dialogOwner, Framework().hiddenOwner) << "the dialog is owned by the hidden window: no taskbar button";
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(Framework().modalWindowId, 0u);
}

TEST_F(FrameworkTest, OwnerIsEnabledAgainBeforeTheDialogIsDestroyed) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  HWND main = testing::LiveHwnd(M);
  bool enabledWhenDestroyed = false;
  // The destroyed event has no binding; the observer sees it as it is raised.
  static HWND observedMain;
  static bool* observedFlag;
  observedMain = main;
  observedFlag = &enabledWhenDestroyed;
  SetEventObserver([](WindowId w, ControlId, int32_t n, const int32_t*, int) {
    if (w == ResultsWindow && n == event::Destroyed) *observedFlag = IsWindowEnabled(observedMain) != FALSE;
  });
  testing::TimerScript script({[] { SendMessageA(testing::LiveHwnd(ResultsWindow), WM_CLOSE, 0, 0); }});
  EXPECT_TRUE(LoadWindow(R, M, true));
  EXPECT_TRUE(enabledWhenDestroyed);
  SetEventObserver(nullptr);
}

TEST_F(FrameworkTest, ActivatingTheOwnerWhileADialogIsOpenBringsTheDialogForward) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  HWND activeAfter = nullptr, dialog = nullptr;
  testing::TimerScript script({
      [] { SetActiveWindow(testing::LiveHwnd(MainWindow)); },  // as the taskbar would
      [&] {
        activeAfter = GetActiveWindow();
        dialog = testing::LiveHwnd(ResultsWindow);
      },
      [] { PostMessageA(testing::LiveHwnd(ResultsWindow), WM_CLOSE, 0, 0); },
  });
  testing::SetHandler(testing::HandlerSlot::StartClicked, [] { LoadWindow(ResultsWindow, MainWindow, true); });
  SendMessageA(testing::LiveHwnd(M, 按钮1), BM_CLICK, 0, 0);
  EXPECT_TRUE(script.Finished());
  EXPECT_NE(dialog, nullptr);
  EXPECT_EQ(activeAfter, dialog);
}

TEST_F(FrameworkTest, LoadingAgainAfterACloseBuildsANewInstance) {
  testing::EventRecorder recorder;
  for (int pass = 0; pass < 2; ++pass) {
    testing::TimerScript script({[] { testing::PressKey(VK_ESCAPE); }});
    ASSERT_TRUE(LoadWindow(R, std::nullopt, true));
  }
  const std::vector<RecordedEvent> twoLoads = {
      {R, RU, event::Created}, {R, RU, event::FirstActivated}, {R, RU, event::Destroyed},
      {R, RU, event::Created}, {R, RU, event::FirstActivated}, {R, RU, event::Destroyed},
  };
  EXPECT_TRUE(SameSequence(twoLoads, Only(recorder.events(), {event::Created, event::FirstActivated, event::Destroyed})));
}

TEST_F(FrameworkTest, EscClosesMainWindowWhicheverControlHasTheFocus) {
  for (ControlId control : {编辑框1, 按钮1, 编辑框2}) {
    ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
    testing::Pump();
    SetFocus(testing::LiveHwnd(M, control));
    testing::PressKey(VK_ESCAPE);
    EXPECT_TRUE(testing::PumpUntil([] { return testing::LiveHwnd(MainWindow) == nullptr; }))
        << "control 0x" << std::hex << control;
  }
}

TEST_F(FrameworkTest, TabAndShiftTabFollowTheTabOrderAndWrap) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  const ControlId forward[] = {编辑框1, 按钮1, 编辑框2, 编辑框1};
  ASSERT_EQ(GetFocus(), testing::LiveHwnd(M, 编辑框1));
  for (int k = 1; k < 4; ++k) {
    testing::PressKey(VK_TAB);
    testing::PumpFor(50);
    EXPECT_EQ(GetFocus(), testing::LiveHwnd(M, forward[k])) << "after " << k << " Tab";
  }
  const ControlId backward[] = {编辑框2, 按钮1, 编辑框1};
  for (ControlId expected : backward) {
    testing::PressKey(VK_TAB, true);
    testing::PumpFor(50);
    EXPECT_EQ(GetFocus(), testing::LiveHwnd(M, expected));
  }
}

TEST_F(FrameworkTest, EnterDoesNothingInEitherWindow) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::Pump();
  testing::EventRecorder recorder;
  for (ControlId control : {编辑框1, 按钮1, 编辑框2}) {
    SetFocus(testing::LiveHwnd(M, control));
    testing::PressKey(VK_RETURN);
    testing::PumpFor(50);
  }
  EXPECT_EQ(recorder.Count(M, 按钮1, event::Clicked), 0);
  PropertyValue wait = ReadProperty(M, 编辑框2, property::Content, -1);
  EXPECT_STREQ(wait.text.c_str(), "500毫秒");
  EXPECT_NE(testing::LiveHwnd(M), nullptr);

  bool resultsStillOpen = false;
  testing::TimerScript script({[] { testing::PressKey(VK_RETURN); }, [] {},
                               [&] {
                                 resultsStillOpen = testing::LiveHwnd(ResultsWindow) != nullptr;
                                 testing::PressKey(VK_ESCAPE);
                               }});
  EXPECT_TRUE(LoadWindow(R, M, true));
  EXPECT_TRUE(resultsStillOpen);
}

TEST_F(FrameworkTest, EmptyContentReadsAsNoneAndNoneCaptionGivesAnEmptyTitle) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  WriteProperty(M, 编辑框2, property::Content, -1, "");
  EXPECT_TRUE(ReadProperty(M, 编辑框2, property::Content, -1).text.IsNone());
  WriteProperty(M, 编辑框2, property::Content, -1, "42");
  EXPECT_STREQ(ReadProperty(M, 编辑框2, property::Content, -1).text.c_str(), "42");
  WriteProperty(M, 0, property::Caption, -1, static_cast<const char*>(nullptr));
  EXPECT_EQ(GetWindowTextLengthA(testing::LiveHwnd(M)), 0);
  EXPECT_TRUE(ReadProperty(M, 0, property::Caption, -1).text.IsNone());
  WriteProperty(M, 0, property::Caption, -1, "新标题");
  EXPECT_EQ(testing::WindowTextOf(testing::LiveHwnd(M)), "新标题");
}

TEST_F(FrameworkTest, TheLastWindowDestroyedEndsTheLoop) {
  ASSERT_TRUE(LoadWindow(M, std::nullopt, false));
  testing::TimerScript script({[] { PostMessageA(testing::LiveHwnd(MainWindow), WM_CLOSE, 0, 0); }});
  RunMessageLoop();  // returns only on the quit message
  EXPECT_EQ(testing::LiveHwnd(M), nullptr);
  Framework().loopStarted = false;
}

TEST(DefaultServerList, KeepsItsStructure) {
  std::vector<std::string> lines;
  const std::string list = kDefaultServerList;
  ASSERT_GE(list.size(), 4u);
  EXPECT_EQ(list.substr(list.size() - 5), "]\r\n\r\n");
  for (std::size_t at = 0; at < list.size();) {
    const std::size_t end = list.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
    lines.push_back(list.substr(at, end - at));
    at = end + 2;
  }
  EXPECT_EQ(lines.size(), 162u);
  std::vector<std::string> entries;
  std::vector<int> groupSizes;
  for (const auto& line : lines) {
    const bool entry = !line.empty() && line.front() == '[';
    if (entry) {
      ASSERT_EQ(line.back(), ']');
      const std::string address = line.substr(1, line.size() - 2);
      unsigned a, b, c, d;
      char tail;
      EXPECT_EQ(std::sscanf(address.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail), 4) << line;
      EXPECT_TRUE(a <= 255 && b <= 255 && c <= 255 && d <= 255) << line;
      entries.push_back(address);
      ++groupSizes.back();
    } else {
      EXPECT_EQ(line.find_first_of("[]"), std::string::npos) << "a heading holds no bracket: " << line;
      if (!line.empty() && line[0] != ' ') groupSizes.push_back(0);
    }
  }
  EXPECT_EQ(entries.size(), 107u);
  EXPECT_EQ(groupSizes, (std::vector<int>{19, 52, 36}));
  EXPECT_EQ(entries[54], entries[63]);
  std::vector<std::string> sorted = entries;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()) - sorted.begin(), 106) << "one address, and only one, repeats";
  EXPECT_EQ(lines[0], "公用DNS");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "国内电信DNS服务器"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "国内联通DNS服务器"), lines.end());
}

}  // namespace
}  // namespace tavrel
