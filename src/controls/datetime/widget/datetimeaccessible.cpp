#include "controls/datetime/widget/datetimeaccessible.h"

#include <QAccessibleWidget>

#include "controls/datetime/widget/datetimebox.h"

namespace zoltrek {

namespace {

class DateTimeBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit DateTimeBoxAccessible(DateTimeBox* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? box()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = s.selectableText = true;
        return s;
    }

    void selection(int index, int* start, int* end) const override {
        const bool selected = index == 0 && box()->hasSelectedText();
        *start = selected ? box()->selectionStart() : 0;
        *end = selected ? box()->selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }

    QRect characterRect(int offset) const override {
        if (offset < 0 || offset >= characterCount())
            return {};
        const QRect drawn = box()->characterRect(offset);
        return {box()->mapToGlobal(drawn.topLeft()), drawn.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        for (int offset = 0; offset < characterCount(); ++offset)
            if (characterRect(offset).contains(point))
                return offset;
        return -1;
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    DateTimeBox* box() const { return static_cast<DateTimeBox*>(widget()); }
};

}  // namespace

QAccessibleInterface* dateTimeBoxAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(DateTimeBox::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new DateTimeBoxAccessible(static_cast<DateTimeBox*>(object));
    return nullptr;
}

}  // namespace zoltrek
