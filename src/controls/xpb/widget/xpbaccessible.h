#pragma once

#include <QAccessible>

namespace zoltrek {

// Screen readers see an XpB as a push button named by its caption.
QAccessibleInterface* xpbAccessibleFactory(const QString& className, QObject* object);

}  // namespace zoltrek
