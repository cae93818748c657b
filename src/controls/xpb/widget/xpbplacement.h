#pragma once

#include <QRect>
#include <QString>

#include "controls/xpb/widget/xpb.h"

namespace zoltrek {

// Places one of the windows' buttons from the design they all share (flat until hovered, no
// picture, no focus rectangle) at a rectangle in pixels.
XpB* placeXpB(QWidget* parent, const QString& name, const QRect& place, const QString& caption);

}  // namespace zoltrek
