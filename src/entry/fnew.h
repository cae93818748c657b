#pragma once

#include <QWidget>

#include "entry/entryrules.h"
#include "journal/fillup.h"
#include "journal/journalerror.h"
#include "platform/environment.h"
#include "platform/windowkit.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zoltrek {

class DateTime;
class JournalFile;
class XpB;

// The entry dialog: adds a fill-up, or edits or deletes the one `fEdit` opened. It writes the
// journal itself, then closes and says that the journal changed. It deletes itself when closed,
// so every opening starts from its design.
class FNew : public FixedWindow {
    Q_OBJECT

  public:
    FNew(JournalFile& file, Environment environment, const QIcon& icon);

    // Fills the dialog with a record for editing; the line says where it is in the file.
    void fEdit(const FillUp& record, const LineRef& line);

    bool EditMode() const { return editMode_; }

  signals:
    // A save changed the journal, or found it changed on disk: whatever shows it must reload.
    void journalChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void updateAmount();
    EntryTexts texts() const;
    Save saveKind() const;
    void save();
    bool write(const EntryTexts& entered);
    void refuse(const JournalError& error);

    JournalFile& file_;
    Environment env_;
    bool editMode_ = false;
    bool writing_ = false;
    LineRef OldLine;
    EntryTexts shownTexts_;  // what fEdit put in the boxes

    QLabel* Label6 = nullptr;
    DateTime* DateTime1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    XpB* XpB1 = nullptr;
    XpB* XpB2 = nullptr;
    QCheckBox* Check1 = nullptr;
};

}  // namespace zoltrek
