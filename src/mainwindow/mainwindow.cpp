#include "mainwindow.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "numbers.h"
#include "text.h"

namespace zoltrek {

namespace {
// The record slot each list item stands for, whatever place sorting gives it.
constexpr int kSlotRole = Qt::UserRole;
}  // namespace

Main::Main(const QString& journalPath, QWidget* parent)
    : QWidget(parent), file_(journalPath.toStdString()), List1(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Zoltrek Calculator"));
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSortingEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List1);
    UpList();
}

void Main::UpList() {
    const LoadResult result = file_.load(journal_);
    if (result.status != LoadResult::Status::Loaded)
        return;
    List1->clear();
    for (int slot = 0; slot < journal_.count(); ++slot) {
        auto* item = new QListWidgetItem(fromJournal(NumToListText(journal_.records[slot].fKm)));
        item->setData(kSlotRole, slot);
        List1->addItem(item);
    }
}

}  // namespace zoltrek
