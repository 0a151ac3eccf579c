// Draws the six steps of one template.
#pragma once

#include <QImage>

struct Animal;

namespace Tpl {
constexpr int Width = 400;
constexpr int StepHeight = 300;
constexpr int Steps = 6;
// Feet of every land animal rest on this line, so the templates match.
constexpr qreal Ground = 284;
// Room kept free around the animal inside each step.
constexpr qreal Margin = 16;
}

QImage renderTemplate(const Animal &animal);
