#pragma once

// The maker's web site and its other programs, named once for every table
// that lists them: the launcher's homepage table, the main window's link and
// launcher buttons, the more-software dialog and the software bar's built-in
// list. A program is started through its registry key
// software\brindle\<key> (value "path") and its executable in that folder.

#include "platform/intl/Translate.h"

#include <string_view>

// The maker's web site: scheme and host, no trailing slash.
inline constexpr std::string_view kMakerSite = "http://www.brindle.example";

// The maker's list of all its programs, for a key without a homepage.
inline constexpr std::string_view kSoftListPath = "/softlist/?tamrel";

// This program's own key: the software bar leaves it out of its list.
inline constexpr std::string_view kOwnKey = "lv";

struct SiblingProgram {
    std::string_view key;   // registry subkey and [SOFT_HOMEPAGE_<key>] suffix
    std::string_view exe;   // executable file name in the installation folder
    std::string_view name;  // short name: button and software-bar captions
    std::string_view title; // full display name: the launcher's caption, translated where shown
};

inline constexpr SiblingProgram kBrowser { "skiff", "skiff.exe", "轻舟浏览器", plat::TranslateLater("轻舟浏览器") };
inline constexpr SiblingProgram kCleaner { "sweeper", "sweeper.exe", "垃圾清理", plat::TranslateLater("垃圾清理") };
inline constexpr SiblingProgram kReader { "inkread", "inkread.exe", "墨香阅读", plat::TranslateLater("墨香阅读") };
inline constexpr SiblingProgram kDownloader { "picgrab", "picgrab.exe", "图片批量下载", plat::TranslateLater("图片批量下载(2.0版)") };
inline constexpr SiblingProgram kPlayer { "picshow", "slideview.exe", "看图播放器", plat::TranslateLater("看图幻灯播放器") };
inline constexpr SiblingProgram kOrganiser { "dayplan", "daykeeper.exe", "日程管家", plat::TranslateLater("日程管家") };
inline constexpr SiblingProgram kGameBox { "gamebox", "gamebox.exe", "游戏盒子", plat::TranslateLater("游戏盒子") };
inline constexpr SiblingProgram kSnapshot { "webshot", "webshot.exe", "网页快照", plat::TranslateLater("网页快照") };
inline constexpr SiblingProgram kLinkGame { "linkup", "linkup.exe", "连连乐", plat::TranslateLater("趣味小游戏连连乐") };

// The organiser's older key, still used by some lists; it shares the
// organiser's homepage.
inline constexpr std::string_view kOrganiserAliasKey = "calendar";

// Built-in homepages: kMakerSite + "/" + segment + "/?tamrel" for a key
// compared exactly. Keys in no row get the software-list page.
struct HomepageRow {
    std::string_view key;
    std::string_view segment;
};

inline constexpr HomepageRow kHomepages[] = {
    { kOwnKey, "lv" },
    { kBrowser.key, "skiff" },
    { kReader.key, kReader.key },
    { kCleaner.key, kCleaner.key },
    { kDownloader.key, kDownloader.key },
    { kPlayer.key, kPlayer.key },
    { kOrganiser.key, "daykeeper" },
    { kOrganiserAliasKey, "daykeeper" },
};
