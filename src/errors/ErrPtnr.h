#pragma once
#include "core/failure/Failure.h"
#include "core/Forms.h"
#include <QDialog>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace zorbel {

// The error dialog: says what failed and where, appends the error protocol to the log,
// offers the protocol for printing, saving, mailing and the web, and returns how to go on.
class ErrPtnr : public QDialog, public Form {
    Q_OBJECT
public:
    ErrPtnr();
    QWidget* widget() override { return this; }

    // Shows the current failure modally and returns the user's answer (0 retry, 1 ignore,
    // 2 cancel, 3 end) in answer.
    void OnError(const QString& procedure, const QString& module, int16_t& answer);
    void SetProgInfo(const QString& text);

    void BuildProtocol(QString& text) const;
    void AppendProtocolLog() const;

    // The program's reporter: creates the dialog on the first failure and keeps it.
    static ErrorReporter& reporter();

    // For tests and the protocol buttons.
    QPushButton* continueButton(int index) const { return m_cmdContinue[size_t(index)]; }
    QPushButton* protocolButton(int index) const { return m_cmdProtocol[size_t(index)]; }
    QString errorText(int index) const;
    QString progInfo() const;
    QString comment() const;

protected:
    void reject() override;

private:
    void LayoutDialog();
    void cmdContinue_Click(int index);
    void cmdProtocol_Click(int index);
    void PrintProtocol(const QString& text);
    void SaveProtocol(const QString& text);
    void MailProtocol(const QString& text);
    void WebProtocol(const QString& text);
    // A protocol button's own failure: shown in the comment until the next report.
    void ShowOwnFailure(const QString& procedure);

    QGroupBox* m_framComment;
    QGroupBox* m_framFehler;
    QGroupBox* m_framProgInfo;
    QGroupBox* m_framProtocol;
    QGroupBox* m_framContinue;
    QLabel* m_lblComment;
    QLabel* m_lblProgInfo;
    std::array<QLabel*, 4> m_lblErrTitel{};
    std::array<QLabel*, 4> m_lblError{};
    std::array<QPushButton*, 4> m_cmdProtocol{};
    std::array<QPushButton*, 4> m_cmdContinue{};
    int16_t m_answer = 0;
    bool m_open = false; // a report is on screen, waiting for its answer
};

} // namespace zorbel
