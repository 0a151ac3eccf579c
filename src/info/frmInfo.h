#pragma once
#include "core/Forms.h"
#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>

class QEventLoop;
class QLabel;
class QPushButton;

namespace zorbel {

class PictureBox;

// The start screen while the program loads, and later the about box.
class frmInfo : public QDialog, public Form {
    Q_OBJECT
public:
    // showDrawWindow shows the drawing window if it is not visible yet and tells whether it did.
    explicit frmInfo(std::function<void()> showDrawWindow, std::function<bool()> drawWindowVisible);
    QWidget* widget() override { return this; }

    void Sprache();
    void imgLang_Click(int index);

    // For tests.
    QString title() const;
    QLabel* homepage() const { return m_lblHomepage; }
    QPushButton* okButton() const { return m_cmdOK; }
    PictureBox* flag(int index) const { return m_imgLang[size_t(index)]; }
    bool timerArmed() const { return m_timer.isActive(); }
    // Shown, waits (at most maxMs) until the window system has been handed its first picture,
    // so that what loads next happens behind a painted start screen with the busy pointer.
    void waitUntilPainted(int maxMs);
    bool painted() const { return m_painted; }
    void fireTimer() { Timer1_Timer(); }

protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void closeWindow();

    std::function<void()> m_showDrawWindow;
    std::function<bool()> m_drawWindowVisible;
    PictureBox* m_image2;
    PictureBox* m_image1;
    QLabel* m_label0;
    QLabel* m_lblHomepage;
    QPushButton* m_cmdOK;
    std::array<PictureBox*, 7> m_imgLang{};
    QTimer m_timer;
    bool m_closing = false;
    bool m_painted = false;
    QEventLoop* m_waiting = nullptr;
};

} // namespace zorbel
