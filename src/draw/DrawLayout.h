#pragma once
#include <QRectF>
#include <QSizeF>

namespace zorbel {

// Where everything of the drawing window goes for a client size W x H. All sizes derive from
// the margin m = 3 % of the width; fractional results are kept so they can be checked exactly.
struct DrawLayout {
    int m = 0;
    QRectF panel;   // 169 x 281 at the lower left
    QRectF canvas;  // 4 : 3
    QRectF frame;   // a band of 0.3 m around the canvas
    QSizeF plateSize;
    double plateLeft = 0;
    double plateTop = 0;
    bool platesStretched = false;
    // The notice line, wrapped to the panel's width, stands just above the panel: there it is on
    // the light background at every size, never on the canvas, its frame or the dark edge.
    QPointF copyright;
    double copyrightWidth = kPanelSize.width();

    static constexpr QSizeF kPanelSize{169, 281};
    static constexpr QSizeF kPlateSize{585, 67};

    // plateSize: the plates' current size (they keep a stretched size once stretched);
    // copyrightHeight: the height of the notice, wrapped to copyrightWidth.
    static DrawLayout compute(QSizeF client, QSizeF plateSize, double copyrightHeight);
};

} // namespace zorbel
