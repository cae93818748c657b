#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "platform/windowkit.h"

// The entry dialog's design, in twips.
namespace zoltrek::entrylayout {

inline const QSize kClient{twipsToPixels(2355), twipsToPixels(2790)};

inline const QRect kCheck1 = twipsRect(300, 2100, 195, 195);
inline const QRect kXpB2 = twipsRect(1200, 2340, 1095, 375);
inline const QRect kXpB1 = twipsRect(60, 2340, 1095, 375);
inline const QRect kText4 = twipsRect(1020, 1740, 1095, 285);
inline const QRect kText3 = twipsRect(1020, 1260, 1095, 285);
inline const QRect kText2 = twipsRect(1020, 900, 1095, 285);
inline const QRect kText1 = twipsRect(1020, 540, 1095, 285);
inline const QRect kDateTime1 = twipsRect(1020, 180, 1095, 285);
inline const QRect kLabel6 = twipsRect(540, 2100, 1560, 195);
inline const QPoint kLine1From{twipsToPixels(2100), twipsToPixels(1620)};
inline const QPoint kLine1To{twipsToPixels(240), twipsToPixels(1620)};
inline const QRect kLabel5 = twipsRect(360, 1800, 600, 195);
inline const QRect kLabel4 = twipsRect(180, 1320, 705, 195);
inline const QRect kLabel3 = twipsRect(360, 960, 540, 195);
inline const QRect kLabel2 = twipsRect(420, 240, 435, 195);
inline const QRect kLabel1 = twipsRect(180, 600, 720, 195);

}  // namespace zoltrek::entrylayout
