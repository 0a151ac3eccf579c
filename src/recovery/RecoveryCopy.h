#pragma once
#include <QImage>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>
#include <functional>

namespace zorbel {

// A copy of the child's drawing in the data folder, kept current while the program runs, so a
// crash, a kill, a power cut or a logout never loses it. The next start takes it back; only the
// End the child confirmed throws it away. It never asks or reports anything: the child did not
// ask for it, so a copy that cannot be written or read is passed over in silence.
class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    // drawing hands out the drawing as it is now; it is asked on the UI thread only.
    RecoveryCopy(QString path, std::function<QImage()> drawing, QObject* parent = nullptr);
    ~RecoveryCopy() override;

    // The recovery copy's usual place: in the per-user data folder.
    static QString defaultPath();
    // The copy left by an earlier run, or a null image when there is none or it cannot be read.
    QImage stored() const;

    // The drawing changed: it is written within about a second, once for a burst of changes.
    void changed();
    // Writes what is not written yet, now, and returns when it is on the disk (the session ends).
    void flush();
    // The child ended the program: the copy goes, and nothing more is written.
    void discard();

    // Ends the program in an orderly way on SIGTERM, after flush; the options are not saved, as
    // with any end other than the End command.
    void flushOnTerminate();

private:
    // Waits until the write in progress, if any, is done.
    void waitForWrite();
    void writeNow(bool onThisThread);

    QString m_path;
    std::function<QImage()> m_drawing;
    QTimer m_timer;
    QThread m_thread;
    QObject* m_writer = nullptr; // lives in m_thread
    bool m_dirty = false;
    bool m_discarded = false;
};

} // namespace zorbel
