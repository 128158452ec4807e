#pragma once

// What nplv.exe does once lv.exe has handed a new version over at exit: puts
// the staged data\lv.exe in place of lv.exe in the program folder, keeping
// the replaced one as lv.exe.old, and writes one line about the run to
// data\nplv.log. It never starts the program.
//
// A run, in order: takes the lock data\nplv.lock (another run holding it
// ends this one); leaves when nothing is staged or lv.exe is not a plain
// file; waits until no process runs the folder's lv.exe; checks that the
// staged copy is a program this machine runs; leaves when both are the
// same; then
// copies the staged file beside lv.exe as lv.exe.new (written to disk,
// executable), copies lv.exe to lv.exe.old and renames lv.exe.new over
// lv.exe. Every file is replaced by a rename, so a run cut off at any point
// leaves the old lv.exe or the new one, whole. data\lv.exe stays, so the
// program's exit check finds the two equal from then on.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

enum class UpdaterResult {
    Replaced,
    NothingStaged,
    SameVersion,
    Busy,         // another run holds the lock
    StillRunning, // lv.exe did not end within the wait
    Rejected,     // the staged copy or lv.exe is not what can be replaced
    Failed,       // a file could not be written; lv.exe is as it was
};

struct UpdaterOptions {
    std::uint32_t waitLimitMs = 30000;
    std::uint32_t pollMs = 100;
    // Called as the run reaches each step ("locked", "waited", "checked",
    // "copied", "kept-old", "replaced"), so tests can stop it there.
    std::function<void(std::string_view step)> atStep;
};

// The staged copy is refused above this size.
constexpr std::uint64_t kMaxProgramSize = 256u << 20;

// Runs the update in `folder` (a Windows path ending in a backslash).
UpdaterResult RunSelfUpdate(const std::string& folder, const UpdaterOptions& options = {});
