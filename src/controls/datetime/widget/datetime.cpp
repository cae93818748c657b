#include "controls/datetime/widget/datetime.h"

#include "base/units.h"
#include "controls/datetime/core/datetimecore.h"
#include "controls/datetime/core/maskshape.h"
#include "controls/datetime/widget/datetimebox.h"
#include "controls/datetime/widget/lineedittextbox.h"

namespace zoltrek {

namespace {

// The inner box keeps its designed height whatever the control is given.
constexpr int kBoxHeight = twipsToPixels(285);

}  // namespace

DateTime::DateTime(const PropertyBag& stored, const QRect& geometry, QWidget* parent)
    : QWidget(parent),
      box_(new DateTimeBox(this)),
      boxView_(std::make_unique<LineEditTextBox>(*box_)),
      core_(std::make_unique<DateTimeCore>(*boxView_)) {
    box_->setText(QString::fromUtf8(kDesignText.data(), kDesignText.size()));
    core_->onChange = [this] { emit onChange(); };
    connect(box_, &QLineEdit::textChanged, this, [this] { core_->change(); });
    box_->attach(core_.get());
    setFocusProxy(box_);
    setFixedHeight(kBoxHeight);
    setGeometry(geometry);
    box_->setGeometry(0, 0, width(), kBoxHeight);
    core_->readProperties(stored);
}

DateTime::~DateTime() {
    // The box goes first, so that nothing it does while dying reaches the logic.
    delete box_;
}

QString DateTime::text() const {
    return box_->text();
}

void DateTime::setText(const QString& value) {
    core_->setText(value.toStdString());
}

bool DateTime::boxEnabled() const {
    return core_->boxEnabled();
}

void DateTime::setBoxEnabled(bool on) {
    core_->setBoxEnabled(on);
}

std::int32_t DateTime::maskLayout() const {
    return core_->maskLayout();
}

void DateTime::setMaskLayout(std::int32_t value) {
    core_->setMaskLayout(value);
}

void DateTime::writeProperties(PropertyBag& stored) const {
    core_->writeProperties(stored);
}

void DateTime::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    box_->setGeometry(0, 0, width(), kBoxHeight);
}

}  // namespace zoltrek
