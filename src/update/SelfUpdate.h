#pragma once

// The exit-time hand-over of a new version of the program. A running
// executable cannot overwrite itself, so the update stages a new copy as
// data\lv.exe and, when the program ends, the separate updater nplv.exe is
// started to put it in place once this process has gone.

// 1 when data\lv.exe exists and its MD5 digest differs from lv.exe's (both
// relative to the current directory, the executable's folder), else 0. An
// lv.exe that cannot be read has no digest, so it always differs.
int NeedsSelfUpdate();

// The program's exit steps, run after the main window has closed: deletes
// data\test_*.zip, then, when NeedsSelfUpdate() says so, starts "nplv.exe"
// with the parameter "update" through the shell without waiting for it.
// The updater is started at most once per run. 1 when it was started now.
int ExitUpdate();
