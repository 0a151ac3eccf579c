#pragma once
#include "core/Forms.h"
#include <QWidget>
#include <functional>

namespace zorbel {

// The drawing window: the child's canvas, the command buttons, the name plates and flags.
class frmDraw : public QWidget, public Form {
    Q_OBJECT
public:
    // startScreen is the window that shows the busy pointer while this one loads.
    explicit frmDraw(QWidget* startScreen);
    QWidget* widget() override { return this; }

    int16_t MarginLeft = 0;
    int16_t MarginRight = 0;
    int16_t MarginTop = 0;
    int16_t MarginBottom = 0;

private:
    void Form_Load(QWidget* startScreen);
};

} // namespace zorbel
