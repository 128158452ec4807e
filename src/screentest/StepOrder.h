#pragma once

// The order of a test's steps: what a left click (or a forward key) and a
// backward key make of the current step of a pattern.

struct Pattern;

// The step after `step`, wrapping to 0 after the pattern's last step;
// without a pattern it only counts up.
int NextStep(const Pattern* pattern, int step);
// The step before `step`, wrapping the other way: from step 0 to the
// pattern's last step. Without a pattern it counts down to 0 and stays there.
int PreviousStep(const Pattern* pattern, int step);
