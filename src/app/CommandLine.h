#pragma once

// The program's command line. Without arguments the program starts as it
// always has; the options open one test pattern at once, list the
// patterns, or print the usage or the version:
//   --test NAME [--monitor N] [--step K] [--speed N]   (also --test=NAME, --monitor=N, ...)
//   --inspect [--monitor N]   (the guided inspection of one monitor)
//   --list   --help   --version
// Anything else is an error, reported as one line.

#include "screentest/MotionSpeed.h"

#include <span>
#include <string>
#include <string_view>

struct Pattern;

struct CommandLine {
    enum class Action { MainWindow,
        Test,
        Inspect,
        List,
        Help,
        Version,
        Error };

    Action action = Action::MainWindow;
    const Pattern* pattern = nullptr;   // Test
    int monitor = 1;                    // Test, Inspect: counted from 1; checked against the monitors when it opens
    int step = 0;                       // Test: within the pattern's steps
    double speed = kDefaultMotionSpeed; // Test: the moving patterns' px/s
    std::string error;                  // Error: what is wrong and what is valid, one line
};

// The arguments after the program's name.
CommandLine ParseCommandLine(std::span<const std::string> args);

// The usage, for --help, naming the program as it was started.
std::string UsageText(std::string_view program);
// Each pattern's name and caption, one a line, for --list.
std::string PatternListText();
