#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>

#include "journal/fillup.h"
#include "platform/environment.h"

namespace zoltrek {

class FNew;
class JournalFile;

// Keeps the one entry dialog on a journal: a new fill-up opens it modally; an edit opens it
// without blocking, or refills the one already open.
class EntryDialogHost : public QObject {
    Q_OBJECT

  public:
    EntryDialogHost(JournalFile& file, Environment environment, const QIcon& icon);

    void showNew();
    // The line says where the record is in the file, so that the dialog finds it again there.
    void fEdit(const FillUp& record, const LineRef& line);

    FNew* dialog() const;

  signals:
    // A dialog changed the journal, or found it changed on disk.
    void journalChanged();

  private:
    // The dialog, made; none when no window can be drawn now (said on standard error).
    FNew* open(const QString& title);

    JournalFile& file_;
    Environment env_;
    QIcon icon_;
    QPointer<FNew> dialog_;
};

}  // namespace zoltrek
