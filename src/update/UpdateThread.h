#pragma once

// The first update stage: once per run, on its own thread, fetch the
// manifest from the update server, make it the new data\main.htm, install
// every file of its first list whose MD5 digest differs, write the log
// data\update.txt and run the second stage. Nothing waits for it; its only
// effects are the files it writes.

#include <cstdint>
#include <string>
#include <string_view>

// How long the thread waits before it starts, so the window comes up first.
inline constexpr std::uint32_t kUpdateStartDelayMs = 2000;

// The update server when LUMIVEX_UPDATE_SERVER does not name another one
// (scheme, host and optional port, without a trailing slash).
inline constexpr std::string_view kDefaultUpdateServer = "http://update.lumivex.example";

// The worker thread's procedure, started by the main window; `param` is not
// used. RunFirstStage for the executable's folder after the start delay.
unsigned UpdateThreadProc(void* param);

// The manifest's address: the update server followed by
// "/lv/main200.asp?v=1&rid=1".
std::string GetManifestUrl();

// The stage for the executable folder `exeFolder` (a Windows path ending in
// a backslash), which it makes the current directory after waiting
// `delayMs`. 1 when the run ended early (manifest not fetched, without the
// "[HTML_END]" marker after its first byte, or not saved; no first list),
// else 0 once the log is written and the second stage has run.
unsigned RunFirstStage(const std::string& exeFolder, std::uint32_t delayMs);
