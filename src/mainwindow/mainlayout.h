#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "platform/windowkit.h"

// The main window's design, in twips. Positions inside Picture1 and Picture2 are relative to
// their client areas.
namespace zoltrek::mainlayout {

inline const QSize kClient{twipsToPixels(3435), twipsToPixels(3015)};

inline const QRect kPicture2 = twipsRect(2820, 2760, 615, 255);
inline const QRect kLabel6 = twipsRect(60, 0, 420, 195);
inline const QRect kXpB2 = twipsRect(1140, 540, 2175, 375);
inline const QRect kPicture1 = twipsRect(1140, 1020, 2175, 1655);
inline const QPoint kLine1From{twipsToPixels(240), twipsToPixels(1020)};
inline const QPoint kLine1To{twipsToPixels(1920), twipsToPixels(1020)};
inline const QRect kLabel7 = twipsRect(60, 1080, 795, 195);
inline const QRect kI6 = twipsRect(720, 1320, 1395, 195);
inline const QRect kI5 = twipsRect(900, 1080, 1155, 195);
inline const QRect kLabel5 = twipsRect(180, 1320, 585, 195);
inline const QRect kI4 = twipsRect(780, 780, 1275, 195);
inline const QRect kI3 = twipsRect(780, 540, 1275, 195);
inline const QRect kI2 = twipsRect(780, 300, 1275, 195);
inline const QRect kI1 = twipsRect(780, 60, 1275, 195);
inline const QRect kLabel1 = twipsRect(60, 300, 720, 195);
inline const QRect kLabel2 = twipsRect(300, 60, 435, 195);
inline const QRect kLabel3 = twipsRect(240, 540, 540, 195);
inline const QRect kLabel4 = twipsRect(60, 780, 705, 195);
inline const QRect kList1 = twipsRect(60, 120, 975, 2565);
inline const QRect kXpB1 = twipsRect(1140, 120, 2175, 375);
inline const QRect kLabel9 = twipsRect(0, 2760, 2880, 255);

constexpr int kClockInterval = 1000;  // ms
constexpr int kListRows = 13;

}  // namespace zoltrek::mainlayout
