#pragma once

// What the defect report's page and the inspection's page share: the head
// with one style sheet (on screen and printed on A4), the rows naming the
// monitor, the date, and text made safe for HTML. Every text is escaped,
// translations too: a catalogue is text, not markup.

#include "screentest/MonitorIdentity.h"

#include <ctime>
#include <string>
#include <string_view>

// `text` escaped for any place in a page.
std::string PageText(std::string_view text);

// The shown language's text for `chinese`, escaped.
std::string PageLabel(std::string_view chinese);

// From "<!DOCTYPE html>" to the page's <h1>: its language, its title (the
// translated `title` and the monitor's name) and the style sheet.
std::string PageHead(std::string_view title, const MonitorIdentity& monitor);

// A row of a two-column table: the label, then `value`, already HTML.
std::string PageRow(std::string_view label, const std::string& value);

// A table's column heading; numbers are right-aligned (class "n").
std::string PageHeading(std::string_view label, bool number);

// A number's cell, right-aligned.
std::string PageNumber(const std::string& text);

// The rows naming the monitor (index and name, resolution, screen size
// when known, maker, model, serial, date made) and the test's `date`.
std::string MonitorRows(const MonitorIdentity& monitor, const std::string& date);

// "2026-12-07 09:05:03", local time.
std::string ReportDate(std::time_t when);

// The map's heading and map.png, and the end of the page.
std::string PageMapAndEnd();
