#pragma once

// The order of a test's steps: what a left click (or a forward key) and a
// backward key make of the current step in each mode.

// The step after `step`, wrapping to 0 after the last step of the mode's
// pattern; a mode outside the pattern table only counts up.
int NextStep(int mode, int step);
// The step before `step`, wrapping the other way: from step 0 to the last
// step of the mode. Other modes count down to 0 and stay there.
int PreviousStep(int mode, int step);
