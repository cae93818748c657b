#pragma once

#include <QWidget>

#include "platform/environment.h"
#include "platform/windowkit.h"

class QLabel;

namespace zoltrek {

class LinkLabel;
class XpB;

// The About window: name, version, author, web link and a hint. It deletes itself when closed,
// so every opening builds it anew.
class About : public FixedWindow {
    Q_OBJECT

  public:
    About(Environment environment, const QIcon& icon);

    // Opens a new About window, modal over the whole program; none when no window can be drawn.
    static About* open(const Environment& environment, const QIcon& icon);

  private:
    Environment env_;
    LinkLabel* Label6 = nullptr;
    XpB* XpB1 = nullptr;
};

}  // namespace zoltrek
