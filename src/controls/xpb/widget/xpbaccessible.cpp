#include "controls/xpb/widget/xpbaccessible.h"

#include <QAccessibleWidget>

#include "controls/xpb/widget/xpb.h"

namespace zoltrek {

namespace {

class XpbAccessible : public QAccessibleWidget {
  public:
    explicit XpbAccessible(XpB* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->shownCaption();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && button()->EnabledCtrl())
            emit button()->Click();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    XpB* button() const { return static_cast<XpB*>(widget()); }
};

}  // namespace

QAccessibleInterface* xpbAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(XpB::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new XpbAccessible(static_cast<XpB*>(object));
    return nullptr;
}

}  // namespace zoltrek
