// The more-software dialog: its buttons, what they start, and how it ends.

#include "links/MoreSoftDlg.h"

#include "links/SiblingPrograms.h"
#include "platform/ui/Automation.h"
#include "support/ModalRun.h"
#include "support/SiblingWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using lvtest::Ending;
using lvtest::RunModal;
using plat::automation::ActiveModalWindow;

TEST(MoreSoftDialog, ButtonsLaunchTheirProgramsAndTheDialogStaysOpen)
{
    lvtest::SiblingWorld world;
    world.Registry("[HKEY_LOCAL_MACHINE\\software\\brindle\\dayplan]\n\"path\"=\"C:\\\\Day\\\\\"\n");
    const std::string organiser = world.InstallAt("c/Day/daykeeper.exe");

    CMoreSoftDlg dlg;
    std::vector<std::string> messages;
    std::vector<std::string> runs;
    bool hasOkOrCancel = true;
    bool openAfterClicks = false;
    // Clicks `id`; the not-installed message, if one comes, is read and closed with Enter.
    auto clickAndAnswer = [&](int id) {
        lvtest::AfterEverything([&] {
            if (plat::Wnd* box = ActiveModalWindow(); box && box != &dlg) {
                messages.push_back(box->GetDlgItem(-1)->GetWindowText());
                plat::automation::Key(*box, plat::VK_RETURN);
            }
        });
        plat::automation::ClickControl(dlg, id);
    };
    std::intptr_t result = RunModal(dlg,
        {
            [&] {
                hasOkOrCancel = dlg.GetDlgItem(plat::IDOK) || dlg.GetDlgItem(plat::IDCANCEL);
                clickAndAnswer(IDC_MORE_SNAPSHOT);
            },
            [&] { clickAndAnswer(IDC_MORE_SNAPSHOT); },
            [&] {
                runs = world.TakeRuns(2);
                plat::automation::ClickControl(dlg, IDC_MORE_ORGANISER);
                plat::automation::ClickControl(dlg, IDC_MORE_HOMEPAGE);
            },
            [&] {
                for (const std::string& run : world.TakeRuns(2))
                    runs.push_back(run);
                openAfterClicks = ActiveModalWindow() == &dlg;
                plat::automation::Key(dlg, plat::VK_ESCAPE);
            },
        },
        Ending::ByTheSteps);
    EXPECT_EQ(result, plat::IDCANCEL);

    EXPECT_FALSE(hasOkOrCancel);
    EXPECT_TRUE(openAfterClicks);
    const std::string message = "本机还未安装本软件\r\n请去官网下载本软件《网页快照》\r\n" + std::string(kMakerSite) + "/softlist/?tamrel";
    EXPECT_EQ(messages, (std::vector<std::string> { message, message }));
    const std::string softList = world.Opener() + " <" + std::string(kMakerSite) + "/softlist/?tamrel&fr=i&fg=ffFLAG_SKIFF_DIRECT>";
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0], softList);
    EXPECT_EQ(runs[1], softList);
    // The organiser and the homepage start in no fixed order.
    std::vector<std::string> last { runs[2], runs[3] };
    std::sort(last.begin(), last.end());
    std::vector<std::string> expected { organiser, world.Opener() + " <" + std::string(kMakerSite) + "?fr=i&fg=ffFLAG_SKIFF_DIRECT>" };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(last, expected);
}

// Each of the seven program buttons starts its own program when installed;
// the downloader, not installed, names its full title in the message.
TEST(MoreSoftDialog, EachProgramButtonStartsItsOwnProgram)
{
    lvtest::SiblingWorld world;
    const struct {
        int id;
        const SiblingProgram* program;
    } installed[] = {
        { IDC_MORE_READER, &kReader },
        { IDC_MORE_CLEANER, &kCleaner },
        { IDC_MORE_ORGANISER, &kOrganiser },
        { IDC_MORE_SNAPSHOT, &kSnapshot },
        { IDC_MORE_PLAYER, &kPlayer },
        { IDC_MORE_GAMEBOX, &kGameBox },
    };
    std::string sections;
    std::vector<std::string> expected;
    for (const auto& c : installed) {
        std::string key(c.program->key);
        sections += "[HKEY_LOCAL_MACHINE\\software\\brindle\\" + key + "]\n\"path\"=\"C:\\\\" + key + "\\\\\"\n";
        expected.push_back(world.InstallAt("c/" + key + "/" + std::string(c.program->exe)));
    }
    world.Registry(sections);

    CMoreSoftDlg dlg;
    std::vector<std::vector<std::string>> runs;
    std::string downloaderMessage;
    RunModal(dlg, {
                      [&] {
                          for (const auto& c : installed) {
                              plat::automation::ClickControl(dlg, c.id);
                              lvtest::Then([&] { runs.push_back(world.TakeRuns(1)); });
                          }
                      },
                      [&] {
                          lvtest::AfterEverything([&] {
                              if (plat::Wnd* box = ActiveModalWindow(); box && box != &dlg) {
                                  downloaderMessage = box->GetDlgItem(-1)->GetWindowText();
                                  plat::automation::Key(*box, plat::VK_RETURN);
                              }
                          });
                          plat::automation::ClickControl(dlg, IDC_MORE_DOWNLOADER);
                      },
                      [&] { world.TakeRuns(1); },
                  });

    ASSERT_EQ(runs.size(), std::size(installed));
    for (std::size_t i = 0; i < std::size(installed); ++i)
        EXPECT_EQ(runs[i], std::vector { expected[i] }) << installed[i].id;
    EXPECT_TRUE(expected[4].ends_with("/slideview.exe")) << expected[4];
    EXPECT_EQ(downloaderMessage, "本机还未安装本软件\r\n请去官网下载本软件《图片批量下载(2.0版)》\r\n" + std::string(kMakerSite) + "/picgrab/?tamrel");
}

}
