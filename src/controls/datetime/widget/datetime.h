#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "controls/propertybag.h"

namespace zoltrek {

class DateTimeBox;
class DateTimeCore;
class LineEditTextBox;

// The date entry control: a fixed-width digit mask for a date or a time of day, typed one
// digit at a time over the character under the caret.
class DateTime : public QWidget {
    Q_OBJECT

  public:
    // Restores "Text" and "Layout" from `stored` and takes `geometry` (pixels); its height
    // always follows the inner box.
    DateTime(const PropertyBag& stored, const QRect& geometry, QWidget* parent = nullptr);
    ~DateTime() override;

    QString text() const;
    // Shown unchanged whatever its length, with the caret at 0.
    void setText(const QString& value);

    // The inner box's state: the control itself stays enabled.
    bool boxEnabled() const;
    void setBoxEnabled(bool on);

    // 0 date, 1 short time, other long time; the text is fitted to the new length limit.
    std::int32_t maskLayout() const;
    void setMaskLayout(std::int32_t value);

    void writeProperties(PropertyBag& stored) const;

  signals:
    void onChange();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    DateTimeBox* box_;
    std::unique_ptr<LineEditTextBox> boxView_;
    std::unique_ptr<DateTimeCore> core_;
};

}  // namespace zoltrek
