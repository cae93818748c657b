#pragma once

#include <QAccessible>

namespace zoltrek {

// Screen readers see the date box's text, selection and caret, and find each character where
// it is drawn: Qt's own line edit reports them as if the text stood at the left.
QAccessibleInterface* dateTimeBoxAccessibleFactory(const QString& className, QObject* object);

}  // namespace zoltrek
