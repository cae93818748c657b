#include "controls/xpb/widget/xpbplacement.h"

#include "base/units.h"

namespace zoltrek {

XpB* placeXpB(QWidget* parent, const QString& name, const QRect& place, const QString& caption) {
    // What a newly placed button stores, as every window's design holds it.
    const PropertyBag design{
        {"caption", caption.toStdString()},
        {"buttonstyle", kStyleFlat},
        {"showfocusrect", false},
        {"xpdefaultcolors", false},
        {"xpcolor_hover", 0},
        {"xpcolor_pressed", 0},
        {"pictureposition", kPictureAbove},
        {"picturewidth", 0},
        {"pictureheight", 0},
        {"_extentx", pixelsToHiMetric(place.width())},
        {"_extenty", pixelsToHiMetric(place.height())},
    };
    auto* button = new XpB(parent);
    button->move(place.topLeft());
    button->place(design, name);
    return button;
}

}  // namespace zoltrek
