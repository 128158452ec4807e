// Modal runs: how they end, nesting with owner disabling, and re-entry.

#include "UiTestSupport.h"

#include "platform/ui/MessageBox.h"

using namespace plat;
using namespace uitest;

TEST(Modal, EscapeEnterAndCloseBoxEndWithTheirResults)
{
    struct Case {
        const char* name;
        std::function<void(TestDialog&)> end;
        std::intptr_t expected;
    };
    std::vector<Case> cases = {
        { "escape", [](TestDialog& d) { automation::Key(d, VK_ESCAPE); }, IDCANCEL },
        { "enter", [](TestDialog& d) { automation::Key(d, VK_RETURN); }, IDOK },
        { "close box", [](TestDialog& d) { automation::CloseBox(d); }, IDCANCEL },
        { "end dialog", [](TestDialog& d) { d.EndDialog(42); }, 42 },
    };
    for (const Case& c : cases) {
        TestDialog dlg;
        EXPECT_EQ(RunModal(dlg, { [&] { c.end(dlg); } }, Ending::ByTheSteps), c.expected) << c.name;
        EXPECT_FALSE(dlg.IsWindow()) << c.name;
    }
}

TEST(Modal, EnterClicksTheDefaultButton)
{
    TestDialog dlg(R"(dialog 901
font 9 "宋体"
size 100 50
style caption visible
control 1000 button 5 5 40 14 default "Go"
)");
    dlg.onClick = [](TestDialog& d, int) { d.EndDialog(7); };
    EXPECT_EQ(RunModal(dlg, { [&] { automation::Key(dlg, VK_RETURN); } }, Ending::ByTheSteps), 7);
    EXPECT_EQ(Count(dlg.log, "click 1000"), 1);
}

TEST(Modal, NestedRunsDisableTheirOwnersAndGiveThemBack)
{
    StartWatchdog();
    TestDialog outer;
    bool outerEnabledInside = true;
    bool middleEnabledInside = true;
    bool outerEnabledAfterInner = false;
    std::intptr_t innerResult = 0;
    std::intptr_t boxResult = 0;
    outer.onInit = [&](TestDialog& o) { Then([&] { automation::ClickControl(o, 1000); }); };
    outer.onClick = [&](TestDialog& o, int) {
        // main window -> dialog -> message box, each owned by the one below.
        TestDialog middle;
        middle.onInit = [&](TestDialog& m) {
            outerEnabledInside = o.IsWindowEnabled();
            EXPECT_EQ(m.GetOwner(), &o);
            Then([&] {
                // The message box is owned by the active modal window.
                Then([&] {
                    middleEnabledInside = m.IsWindowEnabled();
                    Wnd* box = automation::ActiveModalWindow();
                    ASSERT_TRUE(box && box != &m);
                    EXPECT_EQ(box->GetWindowText(), GetAppName());
                    EXPECT_EQ(box->GetOwner(), &m);
                    automation::Key(*box, VK_RETURN);
                });
                boxResult = MessageBox("第一行\r\n第二行");
                automation::Key(m, VK_ESCAPE);
            });
        };
        innerResult = middle.DoModal();
        outerEnabledAfterInner = o.IsWindowEnabled();
        o.EndDialog(IDOK);
    };
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_FALSE(outerEnabledInside);
    EXPECT_FALSE(middleEnabledInside);
    EXPECT_EQ(boxResult, IDOK);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_TRUE(outerEnabledAfterInner);
}

// A box with a second button: that button gives IDYES; OK stays the
// default, so Enter, Escape and the close box give IDOK.
TEST(Modal, MessageBoxWithASecondButton)
{
    StartWatchdog();
    struct Case {
        const char* name;
        std::function<void(Wnd&)> end;
        int expected;
    };
    const Case cases[] = {
        { "second button", [](Wnd& box) { automation::ClickControl(box, IDYES); }, IDYES },
        { "enter", [](Wnd& box) { automation::Key(box, VK_RETURN); }, IDOK },
        { "escape", [](Wnd& box) { automation::Key(box, VK_ESCAPE); }, IDOK },
        { "close box", [](Wnd& box) { automation::CloseBox(box); }, IDOK },
    };
    for (const Case& c : cases) {
        AfterEverything([&] {
            if (Wnd* box = automation::ActiveModalWindow())
                c.end(*box);
        });
        EXPECT_EQ(MessageBoxWithButton("报告已保存", "打开"), c.expected) << c.name;
    }
}

TEST(Modal, RunningTheSameDialogAgainFromItsClickHandlerFails)
{
    StartWatchdog();
    TestDialog dlg;
    std::intptr_t reentered = 0;
    dlg.onInit = [](TestDialog& d) { Then([&] { automation::ClickControl(d, 1000); }); };
    dlg.onClick = [&](TestDialog& d, int) {
        reentered = d.DoModal();
        d.EndDialog(5);
    };
    EXPECT_EQ(dlg.DoModal(), 5);
    EXPECT_EQ(reentered, -1);
}

TEST(Modal, ANewModalRunFromAClickHandlerNestsAndReturns)
{
    StartWatchdog();
    TestDialog dlg;
    int runs = 0;
    dlg.onInit = [](TestDialog& d) { Then([&] { automation::ClickControl(d, 1000); }); };
    dlg.onClick = [&](TestDialog& d, int) {
        // Three nested runs from one click, each ended from inside.
        std::function<void(int)> nest = [&](int depth) {
            TestDialog inner(kTestTemplate, &d);
            inner.onInit = [&](TestDialog& i) {
                Then([&, depth] {
                    if (depth < 3)
                        nest(depth + 1);
                    i.EndDialog(depth);
                });
            };
            EXPECT_EQ(inner.DoModal(), depth);
            ++runs;
        };
        nest(1);
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(runs, 3);
}

TEST(Modal, EndDialogDuringInitialisationNeverShowsTheWindow)
{
    StartWatchdog();
    TestDialog dlg;
    dlg.onInit = [](TestDialog& d) { d.EndDialog(9); };
    EXPECT_EQ(dlg.DoModal(), 9);
    EXPECT_EQ(Count(dlg.log, "erase"), 0);
}

TEST(Modal, MissingTemplateFailsTheRun)
{
    Dialog dlg(31999);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.IsWindow());
}

TEST(Modal, DestroyingTheWindowEndsTheRun)
{
    StartWatchdog();
    TestDialog dlg;
    dlg.onInit = [](TestDialog& d) { Then([&] { d.DestroyWindow(); }); };
    EXPECT_EQ(dlg.DoModal(), -1);
}
