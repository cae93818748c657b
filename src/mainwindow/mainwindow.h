#pragma once

#include <QWidget>

#include "fillup.h"
#include "journalfile.h"

class QListWidget;

namespace zoltrek {

// The start-up window: the list of fill-ups read from the journal file.
class Main : public QWidget {
    Q_OBJECT

  public:
    explicit Main(const QString& journalPath, QWidget* parent = nullptr);

    // Reloads the journal file into the table and the list.
    void UpList();

    const Journal& journal() const { return journal_; }

  private:
    JournalFile file_;
    Journal journal_;
    QListWidget* List1;
};

}  // namespace zoltrek
