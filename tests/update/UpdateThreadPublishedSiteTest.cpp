#include "update/UpdateThread.h"

#include "UpdateRunFolder.h"
#include "UpdateServerFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// What tools/publish/publish.py writes for a folder is what both update
// stages read: a plain file, a zip-delivered file and a second-list file
// are installed from its output.
TEST(UpdateThreadPublishedSite, InstallsWhatThePublishingToolLists)
{
    const std::filesystem::path tool
        = std::filesystem::absolute(__FILE__).parent_path().parent_path().parent_path() / "tools/publish/publish.py";
    ASSERT_TRUE(std::filesystem::exists(tool)) << tool;
    UpdateServerFixture server;
    ASSERT_TRUE(server.Running());
    UpdateRunFolder work;
    UpdateRunFolder folder;

    work.Write("site/readme.txt", "plain file\r\n");
    work.Write("site/data/pic.bmp", std::string(3000, 'P'));
    work.Write("extra/plugins/p.dll", "second list");
    const std::string command = "python3 '" + tool.string() + "' '" + work.Native("site") + "' --base-url "
        + server.Url("/files") + " --out '" + work.Native("www") + "' --zip 'data/*' --second '"
        + work.Native("extra") + "' --second-prefix 'LOCAL_PATH' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    server.PutFolder(work.Native("www"));

    folder.Write("readme.txt", "old readme");
    setenv("LUMIVEX_UPDATE_SERVER", server.Root().c_str(), 1);
    EXPECT_EQ(RunFirstStage(folder.Windows(), 0), 0u);
    unsetenv("LUMIVEX_UPDATE_SERVER");

    EXPECT_EQ(folder.Read("readme.txt"), "plain file\r\n");
    EXPECT_EQ(folder.Read("data/pic.bmp"), std::string(3000, 'P'));
    EXPECT_EQ(folder.Read("plugins/p.dll"), "second list");
    EXPECT_EQ(folder.Read("data/main.htm"), work.Read("www/lv/main200.asp"));
    const std::string zipSize = std::to_string(std::filesystem::file_size(work.Native("www/files/data/pic.bmp.zip")));
    EXPECT_EQ(folder.Read("data/update.txt"),
        Cp936Log({ "检测更新", "更新文件:data\\pic.bmp ....", "FileLength:" + zipSize, "更新文件:data\\pic.bmp 成功",
            "更新文件:readme.txt ....", "FileLength:12", "更新文件:readme.txt 成功", "更新完成" }));
    EXPECT_EQ(folder.Read("data/update2.txt"),
        Cp936Log({ "检测更新", "更新文件:LOCAL_PATHplugins\\p.dll ....", "FileLength:11",
            "更新文件:LOCAL_PATHplugins\\p.dll 成功", "更新完成" }));
}

}
