#pragma once

#include "fillup.h"

namespace zoltrek {

// How the main window opens the entry dialog: for a new fill-up (modal), or to edit one
// record, which the dialog finds again in the file through its line.
class EntryDialogs {
  public:
    virtual ~EntryDialogs() = default;
    virtual void showNew() = 0;
    virtual void fEdit(const FillUp& record, const LineRef& line) = 0;
};

}  // namespace zoltrek
