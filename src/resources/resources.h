#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

namespace zoltrek {

// The program icon, with its own 32 × 32 and 16 × 16 images.
QIcon programIcon();

// The monochrome pointing hand shown over links; its hot spot is the index finger's tip.
QCursor handCursor();

// The 1 × 300 grey gradient that every window stretches behind its controls.
QPixmap backgroundPicture();

// The font files built into the program (resource paths), empty when the build found none.
QStringList embeddedFontFiles();

}  // namespace zoltrek
