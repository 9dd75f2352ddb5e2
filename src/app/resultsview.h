#pragma once

#include "app/frmfunctionsui.h"
#include "session/studysession.h"

namespace tessaly::app {

// The main window's results: the root and extrema lists, the result labels,
// the constants list, and the bounds beside them.

// Clears the lists and the labels of the study's results (and the value's
// label when withValue is set).
void clearResults(const FrmFunctionsUi& ui, bool withValue);
// Shows the results of an opened study, after clearing them all.
void showRestoredResults(const FrmFunctionsUi& ui, const session::RestoredResults& shown);
// The constants list shows these statements, none of them selected.
void showConstants(const FrmFunctionsUi& ui, const std::vector<std::string>& statements);

// Shows how far the results can be trusted beside them: each root and extremum
// row and each result label gets its bound in its tool tip (after the label's
// own tip), the warnings line lists the warnings, and, when trustedOnly is set,
// the rows and labels show only their trusted digits (their full texts come
// back when it is not).
void showTrust(const FrmFunctionsUi& ui, const session::Trust& trust, bool trustedOnly);

}  // namespace tessaly::app
