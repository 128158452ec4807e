#pragma once

// report.html of an inspection, in the language shown: the monitor, the
// verdict with the pixel fault counts and what it means against makers'
// promises, the checks in order with their answers, their marks numbered
// as map.png numbers them, the levels and gamma picked, the motion figures
// when measured, and the map. Printable on A4, a dozen checks on two
// sheets.

#include "screentest/InspectionRecord.h"

#include <string>

// `date` is the inspection's, as the page shows it.
std::string InspectionPageHtml(const InspectionRecord& record, const std::string& date);
