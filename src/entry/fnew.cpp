#include "entry/fnew.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>

#include "controls/datetime/widget/datetime.h"
#include "controls/xpb/widget/xpbplacement.h"
#include "entry/entrylayout.h"
#include "journal/journalfile.h"
#include "journal/journaltexts.h"
#include "journal/numbers.h"
#include "platform/appearance.h"
#include "platform/backgroundwork.h"
#include "platform/text.h"
#include "platform/windowkit.h"

namespace zoltrek {

namespace {

namespace L = entrylayout;

const QString kError = QStringLiteral("Ошибка");

// The date box understands its own shape only, dd.mm.yy, whatever the user's date format.
QString todayText(const QDateTime& now) {
    return QLocale::c().toString(now.date(), QStringLiteral("dd.MM.yy"));
}

const Caption kCaptions[] = {{"Label1", L::kLabel1, u"Одометр:"},
                             {"Label2", L::kLabel2, u"Дата:"},
                             {"Label3", L::kLabel3, u"Литры:"},
                             {"Label4", L::kLabel4, u"Цена 1 л:"},
                             {"Label5", L::kLabel5, u"Итого:", TextInBox::Bold}};
const Caption kDeleteCaption{"Label6", L::kLabel6, u"Удалить эти данные"};

}  // namespace

FNew::FNew(JournalFile& file, Environment environment, const QIcon& icon)
    : FixedWindow(L::kClient, false), file_(file), env_(std::move(environment)) {
    setObjectName(QStringLiteral("fNew"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();

    setWindowIcon(icon);
    setWindowTitle(QStringLiteral("Новая заправка"));
    editMode_ = false;
    Check1->hide();
    Label6->hide();
    DateTime1->setText(todayText(env_.now()));
}

void FNew::buildControls() {
    // Back to front, on the background.
    const QFont plain = defaultFont(), bold = boldFont();
    for (const Caption& caption : kCaptions)
        caption.make(this);
    makeHorizontalLine(this, QStringLiteral("Line1"), L::kLine1From, L::kLine1To);
    Label6 = kDeleteCaption.make(this);

    DateTime1 = new DateTime(PropertyBag{{"Layout", 0}}, L::kDateTime1, this);
    DateTime1->setObjectName(QStringLiteral("DateTime1"));
    Text1 = makeTextBox(this, QStringLiteral("Text1"), L::kText1, plain);
    Text2 = makeTextBox(this, QStringLiteral("Text2"), L::kText2, plain);
    Text3 = makeTextBox(this, QStringLiteral("Text3"), L::kText3, plain);
    Text4 = makeTextBox(this, QStringLiteral("Text4"), L::kText4, bold);
    Text4->setReadOnly(true);
    XpB1 = placeXpB(this, QStringLiteral("XpB1"), L::kXpB1, QStringLiteral("ОК"));
    XpB2 = placeXpB(this, QStringLiteral("XpB2"), L::kXpB2, QStringLiteral("Отмена"));
    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(L::kCheck1);

    QWidget* order[] = {DateTime1, Text1, Text2, Text3, Text4, XpB1, XpB2, Check1};
    setFirstFocus(DateTime1);
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(Text2, &QLineEdit::textChanged, this, &FNew::updateAmount);
    connect(Text3, &QLineEdit::textChanged, this, &FNew::updateAmount);
    connect(XpB1, &XpB::Click, this, &FNew::save);
    connect(XpB2, &XpB::Click, this, &QWidget::close);
}

void FNew::updateAmount() {
    Text4->setText(QString::fromStdString(amountText(
        plainNumber(Text2->text()), plainNumber(Text3->text()), env_.locale.separatorByte())));
}

EntryTexts FNew::texts() const {
    return {DateTime1->text().toStdString(), plainNumber(Text1->text()), plainNumber(Text2->text()),
            plainNumber(Text3->text()), Text4->text().toStdString()};
}

void FNew::fEdit(const FillUp& record, const LineRef& line) {
    editMode_ = true;
    setWindowTitle(QStringLiteral("Редактировать"));
    Check1->show();
    Label6->show();
    const char sep = env_.locale.separatorByte();
    DateTime1->setText(QString::fromStdString(record.fDate));
    Text1->setText(QString::fromStdString(NumToText(record.fKm, sep)));
    Text2->setText(QString::fromStdString(NumToText(record.fLiters, sep)));
    Text3->setText(QString::fromStdString(NumToText(record.fCena, sep)));
    Text4->setText(QString::fromStdString(NumToText(record.fSumma, sep)));
    OldLine = line;
    shownTexts_ = texts();
}

void FNew::refuse(const JournalError& error) {
    env_.showMessage(this,
                     {MessageIcon::Critical, kError, QString::fromStdString(errorMessage(error))});
}

Save FNew::saveKind() const {
    return !editMode_ ? Save::New : Check1->isChecked() ? Save::Delete : Save::Edit;
}

void FNew::save() {
    const EntryTexts entered = texts();
    // The texts alone here: the table is judged under the lock, as the file stands then.
    JournalError refusal;
    refusal.kind = saveRefusal(saveKind(), entered);
    if (refusal)
        return refuse(refusal);
    if (!write(entered))
        return;
    // Closing first: the main window reloads once the dialog is gone.
    close();
    emit journalChanged();
}

// While the journal is written, the windows paint, and a close that is no click or key (a screen
// reader's "Отмена") could come: the dialog the write reports to stays until the write is done.
void FNew::closeEvent(QCloseEvent* event) {
    if (writing_)
        event->ignore();
    else
        FixedWindow::closeEvent(event);
}

// Writes the journal; on a failure the user is told and the dialog stays as it is.
bool FNew::write(const EntryTexts& entered) {
    JournalError error;
    {
        // The write may wait a moment for another copy of the program: meanwhile the button must
        // not hold the pointer, or no program on the display would get a click.
        const QPointer<QWidget> focused = QApplication::focusWidget();
        XpB1->setEnabled(false);
        QCursor::pos();  // a round trip to the display, which sends it the release now
        const Save save = saveKind();
        const std::string line = save == Save::New ? dialogLine(entered) : std::string();
        const FieldEdits edits =
            save == Save::Edit ? editedFields(entered, shownTexts_) : FieldEdits{};
        const LineRef old = OldLine;
        // A rewrite copies the whole file, which may be large: the windows paint meanwhile.
        writing_ = true;
        runWhilePainting([&] {
            if (save == Save::New)
                error = file_.add(line, [&](const Journal& now, bool partlyLoaded) {
                    return saveRefusal(save, entered, &now, partlyLoaded);
                });
            else if (save == Save::Delete)
                error = file_.removeLine(old);
            else
                error = file_.editLine(old, edits);
        });
        writing_ = false;
        XpB1->setEnabled(true);
        if (focused)
            focused->setFocus();
    }
    if (!error)
        return true;

    refuse(error);
    if (error.kind == JournalError::Kind::ChangedOnDisk) {
        emit journalChanged();
        if (error.movedTo)
            OldLine.index = *error.movedTo;  // the next save finds the record where it is now
    }
    return error.committed;
}

}  // namespace zoltrek
