#pragma once

#include "app/frmfunctionsui.h"
#include "session/studysession.h"

namespace tessaly::app {

// Shows how far the results can be trusted beside them: each root and extremum
// row and each result label gets its bound in its tool tip (after the label's
// own tip), the warnings line lists the warnings, and, when trustedOnly is set,
// the rows and labels show only their trusted digits (their full texts come
// back when it is not).
void showTrust(const FrmFunctionsUi& ui, const session::Trust& trust, bool trustedOnly);

}  // namespace tessaly::app
