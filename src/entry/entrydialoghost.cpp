#include "entrydialoghost.h"

#include "fnew.h"

namespace zoltrek {

FNew* EntryDialogHost::dialog() const {
    return dialog_ && dialog_->isVisible() ? dialog_.data() : nullptr;
}

void EntryDialogHost::showNew() {
    // An edit is open: the one dialog comes to the front and stays as it is.
    if (FNew* open = dialog()) {
        open->raise();
        open->activateWindow();
        return;
    }
    dialog_ = new FNew(main_);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
}

void EntryDialogHost::fEdit(const FillUp& record, const LineRef& line) {
    if (!dialog()) {
        dialog_ = new FNew(main_);
        dialog_->show();
    }
    dialog_->fEdit(record, line);
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace zoltrek
