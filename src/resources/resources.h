#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zoltrek {

// The program icon, with its own 32 × 32 and 16 × 16 images.
QIcon programIcon();

// The monochrome pointing hand shown over links; its hot spot is the index finger's tip.
QCursor handCursor();

// The 1 × 300 grey gradient that every window stretches behind its controls.
QPixmap backgroundPicture();

// Where a font file of fonts-wine is: built into the program when the build found it,
// otherwise in the folder where the build looked for it.
QString fontFile(const QString& fileName);

// The toolkit's Russian translation where it is built into the program (a Windows build, which
// runs where no Qt is installed); empty elsewhere.
QString embeddedTranslation();

}  // namespace zoltrek
