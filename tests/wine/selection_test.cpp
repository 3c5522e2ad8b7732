// Selection group: children built from the records, choice by press and by
// message, forwarding to the parent, destruction.
#include <windows.h>

#include <vector>

#include "qor32cl.h"
#include "support/test_support.h"

namespace {

constexpr int kId = 200;

const SelectionItem kThree[] = {
    {"One", 0, 0, 40, 20}, {"Two", 50, 0, 40, 20}, {"Three", 100, 0, 40, 20}, {nullptr, 0, 0, 0, 0}};

class SelectionTest : public ::testing::Test {
 protected:
  HWND Create(const SelectionItem* items, int id = kId) {
    return parent.CreateChild(QOR32_SELECTION_CLASS, "", WS_VISIBLE, 10, 10, 150, 30, id,
                              const_cast<SelectionItem*>(items));
  }
  static void Press(HWND option) {
    SendMessageA(option, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(option, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  static std::vector<LRESULT> Checks(HWND selection) {
    std::vector<LRESULT> checks;
    // BM_GETCHECK also carries the focus bit: keep only the checked one.
    for (int i = 0; i < 3; ++i)
      checks.push_back(SendDlgItemMessageA(selection, kId + i, BM_GETCHECK, 0, 0) & BMPF_CHECKED);
    return checks;
  }
  qt::ParentWindow parent{320, 200};
};

TEST_F(SelectionTest, BuildsOnePressRadioChildPerRecord) {
  HMODULE module = LoadLibraryA("qres_a.dll");
  qt::ParentWindow owner(320, 200, 0x008080, module);
  HWND selection = owner.CreateChild(QOR32_SELECTION_CLASS, "", WS_VISIBLE, 10, 10, 150, 30, kId,
                                     const_cast<SelectionItem*>(kThree));
  ASSERT_NE(selection, nullptr);
  for (int i = 0; i < 3; ++i) {
    HWND child = GetDlgItem(selection, kId + i);
    ASSERT_NE(child, nullptr) << i;
    char name[32];
    GetClassNameA(child, name, sizeof name);
    EXPECT_STREQ(name, QOR32_BITMAP_CLASS);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), 0x500000C4u);
    EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetWindowLongPtrA(child, GWLP_HINSTANCE)), module);
    char text[16];
    GetWindowTextA(child, text, sizeof text);
    EXPECT_STREQ(text, kThree[i].text);
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, selection, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, kThree[i].x);
    EXPECT_EQ(rc.right - rc.left, kThree[i].width);
  }
  EXPECT_EQ(GetDlgItem(selection, kId + 3), nullptr);
  EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), 0);
  DestroyWindow(selection);
  FreeLibrary(module);
}

TEST_F(SelectionTest, EmptyOrMissingListGivesNoOptions) {
  const SelectionItem empty[] = {{nullptr, 0, 0, 0, 0}};
  for (const SelectionItem* items : {empty, static_cast<const SelectionItem*>(nullptr)}) {
    HWND selection = Create(items);
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(GetWindow(selection, GW_CHILD), nullptr);
    // Nothing is an option: commands are neither forwarded nor recorded.
    SendMessageA(selection, WM_COMMAND, MAKEWPARAM(kId, 0), 0);
    EXPECT_TRUE(parent.commands.empty());
    EXPECT_EQ(SendMessageA(selection, SELM_SETCHOICE, kId, 0), kId);
    EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(selection, SELM_SETCHOICE, 0, 0), 0);
    DestroyWindow(selection);
  }
}

TEST_F(SelectionTest, PressChoosesForwardsThenRecords) {
  HWND selection = Create(kThree);
  HWND second = GetDlgItem(selection, kId + 1);
  std::vector<LRESULT> choiceDuringForward;
  parent.onCommand = [&](WPARAM, LPARAM) {
    choiceDuringForward.push_back(SendMessageA(selection, SELM_GETCHOICE, 0, 0));
  };
  Press(second);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{qt::MakeCommand(kId + 1, 0, second)}));
  EXPECT_EQ(Checks(selection), (std::vector<LRESULT>{0, 1, 0}));
  EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), kId + 1);

  // Pressing the chosen option again forwards again; a third option then.
  HWND third = GetDlgItem(selection, kId + 2);
  Press(second);
  Press(third);
  EXPECT_EQ(parent.commands, (std::vector<qt::Command>{qt::MakeCommand(kId + 1, 0, second),
                                                       qt::MakeCommand(kId + 1, 0, second),
                                                       qt::MakeCommand(kId + 2, 0, third)}));
  // The parent asked during each forward and saw the previous choice.
  EXPECT_EQ(choiceDuringForward, (std::vector<LRESULT>{0, kId + 1, kId + 1}));
  EXPECT_EQ(Checks(selection), (std::vector<LRESULT>{0, 0, 1}));
  EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), kId + 2);
}

TEST_F(SelectionTest, OtherCommandsAreNeitherForwardedNorRecorded) {
  HWND selection = Create(kThree);
  HWND first = GetDlgItem(selection, kId);
  SendMessageA(selection, WM_COMMAND, MAKEWPARAM(kId + 1, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(first));
  SendMessageA(selection, WM_COMMAND, MAKEWPARAM(kId + 3, 0), reinterpret_cast<LPARAM>(first));
  SendMessageA(selection, WM_COMMAND, MAKEWPARAM(kId - 1, 0), reinterpret_cast<LPARAM>(first));
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), 0);
  EXPECT_EQ(Checks(selection), (std::vector<LRESULT>{0, 0, 0}));
}

TEST_F(SelectionTest, SetChoiceByMessage) {
  HWND selection = Create(kThree);
  struct Step {
    WPARAM choice;
    LRESULT chosen;
    std::vector<LRESULT> checks;
  } steps[] = {
      {kId + 2, kId + 2, {0, 0, 1}},
      {kId + 7, kId + 2, {0, 0, 1}},  // out of range: nothing changes
      {kId, kId, {1, 0, 0}},
      {0, 0, {0, 0, 0}},              // 0 clears the choice
  };
  for (const Step& step : steps) {
    EXPECT_EQ(SendMessageA(selection, SELM_SETCHOICE, step.choice, 0), static_cast<LRESULT>(step.choice));
    EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), step.chosen) << step.choice;
    EXPECT_EQ(Checks(selection), step.checks) << step.choice;
  }
  EXPECT_TRUE(parent.commands.empty());
}

HHOOK g_hook;
int g_bitmapCreations;
LRESULT CALLBACK FailSecondOption(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    char name[32];
    GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
    if (lstrcmpA(name, QOR32_BITMAP_CLASS) == 0 && ++g_bitmapCreations == 2) return 1;
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(SelectionTest, FailedChildKeepsTheOthersButNoOption) {
  g_bitmapCreations = 0;
  g_hook = SetWindowsHookExA(WH_CBT, FailSecondOption, nullptr, GetCurrentThreadId());
  HWND selection = Create(kThree);
  UnhookWindowsHookEx(g_hook);
  ASSERT_NE(selection, nullptr);
  HWND first = GetDlgItem(selection, kId);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetDlgItem(selection, kId + 1), nullptr);
  Press(first);
  EXPECT_TRUE(parent.commands.empty());
  EXPECT_EQ(SendMessageA(selection, SELM_GETCHOICE, 0, 0), 0);
}

TEST_F(SelectionTest, DestroyingTheGroupLeavesNoWindow) {
  const int before = qt::CountThreadWindows();
  HWND selection = Create(kThree);
  EXPECT_EQ(qt::CountThreadWindows(), before + 4);
  DestroyWindow(selection);
  EXPECT_EQ(qt::CountThreadWindows(), before);
}

TEST_F(SelectionTest, ParentMayDestroyTheGroupInsideTheForward) {
  HWND selection = Create(kThree);
  parent.onCommand = [&](WPARAM, LPARAM) { DestroyWindow(selection); };
  Press(GetDlgItem(selection, kId + 1));
  EXPECT_FALSE(IsWindow(selection));
  EXPECT_EQ(parent.commands.size(), 1u);
  // The process goes on working: another group can be made and used.
  parent.onCommand = nullptr;
  HWND again = Create(kThree);
  Press(GetDlgItem(again, kId));
  EXPECT_EQ(SendMessageA(again, SELM_GETCHOICE, 0, 0), kId);
}

}  // namespace
