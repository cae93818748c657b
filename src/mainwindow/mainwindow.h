#pragma once

#include <QWidget>
#include <optional>

#include "journal/fillup.h"
#include "journal/journalfile.h"
#include "platform/appearance.h"
#include "platform/environment.h"
#include "platform/windowkit.h"

class QFrame;
class QLabel;
class QListWidget;
class QTimer;

namespace zoltrek {

class LinkLabel;
class XpB;

// The start-up window: the list of fill-ups, the selected one's details, the clock, and the
// commands for a new fill-up, the statistics and the About window. It asks for the entry dialog
// through its signals.
class Main : public FixedWindow {
    Q_OBJECT

  public:
    // Shows the journal of `file`, which it only reads: the entry dialog writes it.
    Main(const JournalFile& file, Environment environment);

    // Reloads the journal file into the table and the list; the details stay as they are.
    void UpList();

    // The longest text the list must show in its row, for sizing the scalable faces of the
    // controls whose texts change.
    static QList<TextInBox> textsToFit();

    const Journal& journal() const { return journal_; }
    const Environment& environment() const { return env_; }

  signals:
    // "Новая заправка" was clicked.
    void newFillUpAsked();
    // A right press on the list asks to edit the selected record, found in the file by its line.
    void editAsked(const FillUp& record, const LineRef& line);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    LoadResult reload();
    void buildControls();
    void buildDetailPanel();
    void ShowDetails(int slot);
    int selectedSlot() const;
    void tick();
    void showStatistics();
    void tell(const Message& message);

    const JournalFile& file_;
    Environment env_;
    Journal journal_;
    std::optional<Message> startupMessage_;

    QLabel* Label9 = nullptr;
    XpB* XpB1 = nullptr;
    QListWidget* List1 = nullptr;
    QFrame* Picture1 = nullptr;
    QLabel* i1 = nullptr;
    QLabel* i2 = nullptr;
    QLabel* i3 = nullptr;
    QLabel* i4 = nullptr;
    QLabel* i5 = nullptr;
    QLabel* i6 = nullptr;
    XpB* XpB2 = nullptr;
    QFrame* Picture2 = nullptr;
    LinkLabel* Label6 = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace zoltrek
