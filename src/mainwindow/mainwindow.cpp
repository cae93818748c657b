#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>

#include "about/about.h"
#include "controls/xpb/widget/xpbplacement.h"
#include "journal/details.h"
#include "journal/numbers.h"
#include "mainwindow/mainlayout.h"
#include "mainwindow/messages.h"
#include "platform/appearance.h"
#include "platform/windowkit.h"

namespace zoltrek {

namespace {

namespace L = mainlayout;

// The record slot each list item stands for, whatever place sorting gives it.
constexpr int kSlotRole = Qt::UserRole;
const QColor kPanelGrey(0xE0, 0xE0, 0xE0);

// Rows exactly one line high, so 13 of them fill the list, in whatever face.
class RowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kLinePixels};
    }
};

// A single-selection list whose selection only moves: neither Ctrl nor a click beside the items
// clears it.
class SingleSelectionList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        if (!index.isValid())
            return QItemSelectionModel::NoUpdate;
        const auto command = QListWidget::selectionCommand(index, event);
        return command & QItemSelectionModel::Deselect ? QItemSelectionModel::ClearAndSelect
                                                       : command;
    }
};

// The captions of the details.
const Caption kCaptions[] = {
    {"Label4", L::kLabel4, u"Цена 1 л:"}, {"Label3", L::kLabel3, u"Литры:"},
    {"Label2", L::kLabel2, u"Дата:"},     {"Label1", L::kLabel1, u"Одометр:"},
    {"Label5", L::kLabel5, u"Расход:"},   {"Label7", L::kLabel7, u"Пройдено:"}};
const QString kLink = QStringLiteral("About");

}  // namespace

QList<TextInBox> Main::textsToFit() {
    // The longest readings that must stay whole beside the scroll bar, between the list's frame
    // and its one-pixel margins.
    const int scrollBar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize row(L::kList1.width() - 4 - scrollBar, kLinePixels);
    return {{QStringLiteral(" 100000"), row, TextInBox::Bold},
            {QStringLiteral(" 99999.5"), row, TextInBox::Bold}};
}

Main::Main(const JournalFile& file, Environment environment)
    : FixedWindow(L::kClient, true), file_(file), env_(std::move(environment)) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Zoltrek Calculator"));
    buildControls();
    // Problems of the first load are told once the window is on screen.
    startupMessage_ = loadMessage(reload(), file_.path());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(L::kClockInterval);
    connect(Timer1, &QTimer::timeout, this, &Main::tick);
    Timer1->start();
}

void Main::buildControls() {
    // Back to front, on the background: a later sibling lies above an earlier one.
    Label9 = makeLabel(this, QStringLiteral("Label9"), L::kLabel9, QString(), defaultFont(),
                       Qt::AlignLeft | Qt::AlignVCenter);
    Label9->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    makeOpaque(Label9, palette().color(QPalette::Button));

    XpB1 = placeXpB(this, QStringLiteral("XpB1"), L::kXpB1, QStringLiteral("Новая заправка"));

    List1 = new SingleSelectionList(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(L::kList1);
    List1->setFont(boldFont());
    List1->setFrameStyle(QFrame::Box | QFrame::Plain);
    List1->setLineWidth(1);
    List1->setItemDelegate(new RowDelegate(List1));
    List1->setUniformItemSizes(true);
    List1->setSortingEnabled(true);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A reading too long for the row is cut at the list's edge, never shortened with "…":
    // 100000 to 100099 must not all read "1000…".
    List1->setTextElideMode(Qt::ElideNone);
    makeOpaque(List1->viewport(), kPanelGrey);
    List1->viewport()->installEventFilter(this);
    connect(List1, &QListWidget::itemSelectionChanged, this,
            [this] { ShowDetails(selectedSlot()); });

    buildDetailPanel();

    XpB2 = placeXpB(this, QStringLiteral("XpB2"), L::kXpB2, QStringLiteral("Статистика"));

    Picture2 = makePanel(this, QStringLiteral("Picture2"), L::kPicture2, true);
    Picture2->setFocusPolicy(Qt::StrongFocus);
    makeOpaque(Picture2, palette().color(QPalette::Button));
    Label6 = new LinkLabel(Picture2, QStringLiteral("Label6"),
                           L::kLabel6.translated(inset(Picture2), inset(Picture2)), kLink,
                           fittedFont({kLink, L::kLabel6.size()}));
    makeOpaque(Label6, palette().color(QPalette::Button));
    Label6->setToolTip(QStringLiteral("О программе"));

    setTabOrder(XpB1, List1);
    setTabOrder(List1, Picture1);
    setTabOrder(Picture1, XpB2);
    setTabOrder(XpB2, Picture2);
    setFirstFocus(XpB1);

    connect(XpB1, &XpB::Click, this, &Main::newFillUpAsked);
    connect(XpB2, &XpB::Click, this, &Main::showStatistics);
    connect(Label6, &LinkLabel::clicked, this, [this] { About::open(env_, windowIcon()); });
}

void Main::buildDetailPanel() {
    Picture1 = makePanel(this, QStringLiteral("Picture1"), L::kPicture1, false);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    makeOpaque(Picture1, kPanelGrey);
    const int in = inset(Picture1);
    auto at = [in](const QRect& place) { return place.translated(in, in); };
    const QFont plain = defaultFont(), bold = boldFont();
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;

    // Back to front, as the panel draws them: the values lie over the captions.
    for (const Caption& caption : kCaptions)
        caption.make(Picture1, {in, in});
    i1 = makeLabel(Picture1, QStringLiteral("i1"), at(L::kI1), QString(), plain, centred);
    i2 = makeLabel(Picture1, QStringLiteral("i2"), at(L::kI2), QString(), plain, centred);
    i3 = makeLabel(Picture1, QStringLiteral("i3"), at(L::kI3), QString(), plain, centred);
    i4 = makeLabel(Picture1, QStringLiteral("i4"), at(L::kI4), QString(), plain, centred);
    i5 = makeLabel(Picture1, QStringLiteral("i5"), at(L::kI5), QString(), bold, centred);
    i6 = makeLabel(Picture1, QStringLiteral("i6"), at(L::kI6), QString(), bold, centred);
    makeHorizontalLine(Picture1, QStringLiteral("Line1"), L::kLine1From + QPoint(in, in),
                       L::kLine1To + QPoint(in, in));
}

// After a save only a failure, or lines left unloaded (another copy may have added them), is
// worth a box; skipped lines were told at start-up.
void Main::UpList() {
    const LoadResult result = reload();
    if (result.status == LoadResult::Status::Failed || result.leftUnloaded)
        tell(*loadMessage(result, file_.path()));
}

LoadResult Main::reload() {
    const LoadResult result = file_.load(journal_);
    if (result.status != LoadResult::Status::Loaded)
        return result;

    // Refilling the list must not look like a new selection: the details stay as they were.
    const QSignalBlocker quiet(List1);
    List1->clear();
    for (int slot = 0; slot < journal_.count(); ++slot) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(NumToListText(journal_.records[slot].fKm)));
        item->setData(kSlotRole, slot);
        List1->addItem(item);
    }
    List1->viewport()->update();
    List1->setToolTip(List1->count() > 0 ? QStringLiteral("Правая кнопка мыши для редактирования")
                                         : QString());
    return result;
}

int Main::selectedSlot() const {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->data(kSlotRole).toInt();
}

void Main::ShowDetails(int slot) {
    const auto texts = detailTexts(journal_, slot, env_.locale.separatorByte());
    QLabel* labels[] = {i1, i2, i3, i4, i5, i6};
    for (int i = 0; i < 6; ++i)
        labels[i]->setText(QString::fromStdString(texts[i]));
}

void Main::tick() {
    Label9->setText(clockText(env_.now(), env_.locale));
}

void Main::showStatistics() {
    tell(statisticsMessage(journal_, env_.locale));
}

void Main::tell(const Message& message) {
    env_.showMessage(this, message);
}

// Only the left button selects; a right press edits the selected record and leaves the
// selection where it is.
bool Main::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == List1->viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::MouseButtonRelease)) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton)
            return false;
        const int slot = selectedSlot();
        if (button == Qt::RightButton && type != QEvent::MouseButtonRelease && slot >= 0)
            emit editAsked(journal_.records[slot], journal_.lines[slot]);
        return true;
    }
    return FixedWindow::eventFilter(watched, event);
}

void Main::showEvent(QShowEvent* event) {
    FixedWindow::showEvent(event);
    if (startupMessage_) {
        QMetaObject::invokeMethod(
            this, [this, message = *startupMessage_] { tell(message); }, Qt::QueuedConnection);
        startupMessage_.reset();
    }
}

}  // namespace zoltrek
