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
    QPointF copyright;

    static constexpr QSizeF kPanelSize{169, 281};
    static constexpr QSizeF kPlateSize{585, 67};

    // plateSize: the plates' current size (they keep a stretched size once stretched);
    // copyrightHeight: the height of the notice line.
    static DrawLayout compute(QSizeF client, QSizeF plateSize, double copyrightHeight);
};

} // namespace zorbel
