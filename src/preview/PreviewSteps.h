#pragma once
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>

// The template window's rules as plain code: stepping through the six steps, browsing the
// templates, the start's checks of the template number, the default place and the file list.
namespace zorbel::PreviewSteps {

constexpr int16_t kLastStep = 5;

// Whether the step panel's previous and next buttons are enabled.
struct StepButtons {
    bool previous = false;
    bool next = true;
};

// One step back (previous button) or on (next button): the cell to show, or -1 at the end.
int back(int16_t& step, StepButtons& buttons);
int forward(int16_t& step, StepButtons& buttons);

// Browsing wraps around: before the first template comes the last, after the last the first.
int16_t previousTemplate(int16_t image, int16_t count);
int16_t nextTemplate(int16_t image, int16_t count);

// The bitmap id of template n; an id beyond 16 bits is an overflow (error 6).
int16_t templateId(int16_t n);

// A template number the window can show: above the count it becomes the last, below 1 the first.
// Returns the number unchanged when it was valid.
int16_t clampImage(int16_t image, int16_t count);

// The first place of the window, in twips: left at 8 % of the drawing window's outer width,
// bottom a tenth of its height above the drawing window's button panel.
QPoint defaultPosition(double drawOuterWidthTwips, int drawPanelTopPx, double twipsPerPixelY,
                       double windowHeightTwips);

// The bitmap files of a folder, in the order a person expects (numbers by value, case ignored);
// a missing folder gives an empty list. File names with their extension.
QStringList pictureFiles(const QString& folder);
// What the list shows of a file name: the name without ".bmp".
QString shownName(const QString& fileName);

} // namespace zorbel::PreviewSteps
