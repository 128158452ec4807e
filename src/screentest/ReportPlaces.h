#pragma once

// Where reports go, in order: the documents folder first; when it cannot
// take a report, the user's data folder, then the home folder, so that
// what a person found is never lost. Marks' reports and inspections share
// them.

#include "screentest/DefectReport.h"

#include <vector>

std::vector<ReportPlace> ReportPlaces();

// "path (reason)", one a line, for the places that failed.
std::string ReportFailuresText(const std::vector<ReportFailure>& failures);
