#pragma once

// Starting the maker's sibling programs, and opening web addresses in the
// maker's browser when it is installed. A program is named by the triple
// (caption, key, executable), always in that order; see SiblingPrograms.h.

#include <string>
#include <string_view>

class CSoftLauncher {
public:
    virtual ~CSoftLauncher() = default;

    // Starts the installed program; otherwise tells the user it is not
    // installed, with its homepage, and opens that page once the message is
    // closed. 0 when the program was started, 1 when it was not installed.
    int Launch(std::string_view caption, std::string_view key, std::string_view executable);
    // Starts <registry "path" of the key><executable> without parameters.
    // 0 when it exists and was handed to the system, 1 otherwise.
    int RunInstalled(std::string_view key, std::string_view executable);
    // [SOFT_HOMEPAGE_<key>] from data\main.htm, else the built-in homepage,
    // else the maker's software-list page.
    std::string GetHomepage(std::string_view key);
};

// Opens `address` with a query flag telling the site how it was opened: in
// the maker's browser when it is installed, else with the desktop's default
// handler (http and https addresses only). Always 0.
int OpenWebAddress(std::string_view address);
