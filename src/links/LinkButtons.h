#pragma once

// What the main window's link and launcher buttons open or start. The
// addresses can be replaced through data\main.htm without a new version.

#include "links/SiblingPrograms.h"

#include <string>

// The page of link button `controlId` (IDC_README, IDC_HOMEPAGE,
// IDC_SHOPPING, IDC_NOVELS, IDC_GAMES): the value under its tag in
// data\main.htm, read afresh, else its built-in address. Empty for any other id.
std::string LinkButtonAddress(int controlId);

// Opens LinkButtonAddress(controlId) with OpenWebAddress; 1 for an id that
// is not a link button, else 0.
int OpenLinkButton(int controlId);

// CSoftLauncher::Launch with the program's (title, key, executable).
int LaunchSibling(const SiblingProgram& program);
