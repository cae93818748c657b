#include "entry/entrydialoghost.h"

#include "entry/fnew.h"

namespace zoltrek {

EntryDialogHost::EntryDialogHost(JournalFile& file, Environment environment, const QIcon& icon)
    : file_(file), env_(std::move(environment)), icon_(icon) {}

FNew* EntryDialogHost::dialog() const {
    return dialog_ && dialog_->isVisible() ? dialog_.data() : nullptr;
}

FNew* EntryDialogHost::open(const QString& title) {
    if (!roomToShow(QStringLiteral("окно «%1»").arg(title)))
        return nullptr;
    dialog_ = new FNew(file_, env_, icon_);
    connect(dialog_, &FNew::journalChanged, this, &EntryDialogHost::journalChanged);
    return dialog_;
}

void EntryDialogHost::showNew() {
    // An edit is open: the one dialog comes to the front and stays as it is.
    if (FNew* shown = dialog()) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    if (!open(QStringLiteral("Новая заправка")))
        return;
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->show();
}

void EntryDialogHost::fEdit(const FillUp& record, const LineRef& line) {
    if (!dialog()) {
        if (!open(QStringLiteral("Редактировать")))
            return;
        dialog_->show();
    }
    dialog_->fEdit(record, line);
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace zoltrek
