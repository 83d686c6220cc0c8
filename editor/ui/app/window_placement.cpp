#include "editor/ui/app/window_placement.h"

#include <QWidget>

namespace keyui::app {

kbxdoc::WindowPlacement placementOf(const QWidget& window) {
    kbxdoc::WindowPlacement placement;
    const QRect normal = window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    placement.normalLeft = normal.left();
    placement.normalTop = normal.top();
    placement.normalRight = normal.left() + normal.width();
    placement.normalBottom = normal.top() + normal.height();
    placement.minimisedX = -1;
    placement.minimisedY = -1;
    placement.maximisedX = -1;
    placement.maximisedY = -1;
    if (window.isMaximized()) {
        placement.flags = kPlacementSetMinPosition | kPlacementRestoreToMaximised;
        placement.showCommand = kShowMaximised;
    } else if (window.isMinimized()) {
        placement.showCommand = kShowMinimised;
    } else {
        placement.showCommand = kShowNormal;
    }
    return placement;
}

ShowAs showAsFor(const kbxdoc::WindowPlacement& placement) {
    switch (placement.showCommand) {
        case kShowMaximised:
            return ShowAs::Maximised;
        case kShowMinimised:
            // A window closed while minimised but meant to come back maximised.
            return (placement.flags & kPlacementRestoreToMaximised) != 0 ? ShowAs::Maximised : ShowAs::Minimised;
        default:
            return ShowAs::Normal;
    }
}

ShowAs applyPlacement(QWidget& window, const kbxdoc::WindowPlacement& placement) {
    const int width = placement.normalRight - placement.normalLeft;
    const int height = placement.normalBottom - placement.normalTop;
    if (width > 0 && height > 0) window.setGeometry(placement.normalLeft, placement.normalTop, width, height);
    return showAsFor(placement);
}

void showWindow(QWidget& window, ShowAs how) {
    switch (how) {
        case ShowAs::Maximised:
            window.showMaximized();
            break;
        case ShowAs::Minimised:
            window.showMinimized();
            break;
        case ShowAs::Normal:
            window.show();
            break;
    }
}

}  // namespace keyui::app
