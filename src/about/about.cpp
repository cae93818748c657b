#include "about/about.h"

#include <QLabel>

#include "about/maker.h"
#include "controls/xpb/widget/xpbplacement.h"
#include "platform/appearance.h"
#include "platform/windowkit.h"

namespace zoltrek {

namespace {

// Unlike the other windows, this one's design is in pixels.
const QSize kClient{154, 242};
const QColor kDarkGrey(0x40, 0x40, 0x40);
const Qt::Alignment kCentredWrap = Qt::AlignHCenter | Qt::AlignTop;

QLabel* greyLabel(QLabel* label) {
    setTextColour(label, kDarkGrey);
    return label;
}

const Caption kAuthorCaption{"Label1", {60, 48, 40, 13}, u"Автор:", TextInBox::Bold};
const Caption kSiteCaption{"Label5", {20, 96, 119, 13}, u"Официальный сайт:", TextInBox::Bold};
const Caption kVersionCaption{"Label7", {20, 28, 55, 13}, u"Версия 1.1"};
const Caption kTitle{"Label8", {8, 8, 142, 24}, u"Zoltrek Calculator", TextInBox::Title};
const QRect kAuthorPlace{20, 64, 114, 33};
const QRect kHintPlace{8, 136, 137, 65};
const QString kHint = QStringLiteral(
    "Для получения точного расхода на 100 км, всегда заправляйтесь с началом "
    "индикации минимального уровня топлива в баке.");

}  // namespace

About::About(Environment environment, const QIcon& icon)
    : FixedWindow(kClient, false), env_(std::move(environment)) {
    setObjectName(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("О программе"));
    setWindowIcon(icon);

    // Back to front, on the background.
    const QString authorName = QString::fromUtf8(maker::kAuthor);
    greyLabel(kAuthorCaption.make(this));
    auto* author = makeLabel(this, QStringLiteral("Label2"), kAuthorPlace, authorName,
                             fittedFont({authorName, kAuthorPlace.size(), TextInBox::Bold, true}),
                             kCentredWrap);
    author->setWordWrap(true);
    makeHorizontalLine(this, QStringLiteral("Line1"), {4, 36}, {16, 36});
    greyLabel(kSiteCaption.make(this));
    Label6 = new LinkLabel(this, QStringLiteral("Label6"), {24, 112, 109, 13},
                           QString::fromUtf8(maker::kWebAddress), boldFont());
    // The address is ours: the label takes the width it needs, and a pixel for the overstrike.
    Label6->resize(Label6->sizeHint() + QSize(1, 0));
    kVersionCaption.make(this);
    makeHorizontalLine(this, QStringLiteral("Line2"), {80, 36}, {148, 36});
    kTitle.make(this);
    auto* hint = greyLabel(makeLabel(this, QStringLiteral("Label3"), kHintPlace, kHint,
                                     fittedFont({kHint, kHintPlace.size(), TextInBox::Plain, true}),
                                     kCentredWrap));
    hint->setWordWrap(true);
    XpB1 = placeXpB(this, QStringLiteral("XpB1"), {8, 212, 137, 25}, QStringLiteral("Закрыть"));

    // The page opens in the browser; if it cannot, nothing is said.
    connect(Label6, &LinkLabel::clicked, this,
            [this] { env_.openUrl(QUrl(QString::fromUtf8(maker::kWebAddress))); });
    connect(XpB1, &XpB::Click, this, &QWidget::close);
    setFirstFocus(XpB1);
}

About* About::open(const Environment& environment, const QIcon& icon) {
    if (!roomToShow(QStringLiteral("окно «О программе»")))
        return nullptr;
    auto* about = new About(environment, icon);
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
    return about;
}

}  // namespace zoltrek
