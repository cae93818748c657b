#pragma once

#include <QPointer>

#include "entrydialogs.h"

namespace zoltrek {

class FNew;
class Main;

// Keeps the one entry dialog: a new fill-up opens it modally; an edit opens it without
// blocking, or refills the one already open.
class EntryDialogHost : public EntryDialogs {
  public:
    explicit EntryDialogHost(Main& main) : main_(main) {}

    void showNew() override;
    void fEdit(const FillUp& record, const LineRef& line) override;

    FNew* dialog() const;

  private:
    Main& main_;
    QPointer<FNew> dialog_;
};

}  // namespace zoltrek
