#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

// The template window's geometry in pixels: the fixed places of its controls and the placement
// of its two sizes.
namespace zorbel::PreviewLayout {

// The window as it is created, before its size is applied (6525 x 6390 twips).
constexpr double kCreationWidthTwips = 6525;
constexpr double kCreationHeightTwips = 6390;

constexpr QPoint kPreviewAt{16, 16};
// The preview box's sunken border; the steps are drawn inside it.
constexpr int kPreviewBorder = 2;
constexpr std::array<QSize, 3> kPanelSize{QSize(249, 97), QSize(249, 49), QSize(257, 100)};
constexpr QSize kButtonSize{45, 33};

struct ButtonPlace {
    int panel;
    QPoint at;
};
// Buttons 0 .. 8: previous, select, next, grid, size (step panel); previous, OK, next (chooser); OK (files).
constexpr std::array<ButtonPlace, 9> kButtons{
    ButtonPlace{0, {48, 8}}, ButtonPlace{0, {104, 8}}, ButtonPlace{0, {160, 8}}, ButtonPlace{0, {72, 48}},
    ButtonPlace{0, {128, 48}}, ButtonPlace{1, {48, 8}}, ButtonPlace{1, {104, 8}}, ButtonPlace{1, {160, 8}},
    ButtonPlace{2, {192, 56}},
};
constexpr QRect kFileList{16, 8, 153, 84};

// Where everything goes in one size.
struct Placement {
    QSize window;
    QRect preview; // outer rectangle, border included
    std::array<QPoint, 3> panels;
};

// The preview box's outer size: 400 x 300 large, 200 x 150 small.
QSize previewSize(bool large);
// The window's outer size for a preview size: 20 pixels each side, 120 below and above together.
QSize windowSize(QSize preview);
// Panels centred below the preview box (a panel wider than the window overhangs both edges).
QPoint panelAt(int panel, QSize window, QRect preview);
Placement place(bool large);

// The grid overlay: transparent, 2-pixel lines every 50 pixels of a 400 x 300 step.
QImage gridPicture();

} // namespace zorbel::PreviewLayout
