#include "RecoveryCopy.h"
#include "core/AppInfo.h"
#include "core/PictureFile.h"
#include "core/PictureWriter.h"
#include "core/SafeFile.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <csignal>
#include <exception>
#include <sys/socket.h>
#include <unistd.h>

namespace zorbel {

namespace {
// Written a byte on SIGTERM; the handler may do nothing more than that.
int g_termPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_termPipe[1], &byte, 1);
}

void write(const QImage& drawing, const QString& path)
{
    try {
        files::ensureOwnFolder(QFileInfo(path).path());
        writePicture(drawing, path);
    } catch (...) {
        // A full or read-only data folder: the drawing goes on, the copy is left as it was.
    }
}
} // namespace

RecoveryCopy::RecoveryCopy(QString path, std::function<QImage()> drawing, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_drawing(std::move(drawing))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeNow(false); });
    m_writer = new QObject;
    m_writer->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this] { flush(); });
}

RecoveryCopy::~RecoveryCopy()
{
    m_thread.quit();
    m_thread.wait();
}

QString RecoveryCopy::defaultPath() { return app::programFolder() + QStringLiteral("recovery.bmp"); }

QImage RecoveryCopy::stored() const
{
    const QFileInfo file(m_path);
    // Only a plain file of our own: a link or anything else planted there is no drawing of ours.
    if (file.isSymLink() || !file.isFile())
        return {};
    try {
        return readPicture(m_path);
    } catch (...) {
        return {};
    }
}

void RecoveryCopy::changed()
{
    if (m_discarded)
        return;
    m_dirty = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryCopy::writeNow(bool onThisThread)
{
    if (!m_dirty || m_discarded)
        return;
    m_dirty = false;
    // A deep copy: the canvas goes on drawing into its own memory while the copy is written.
    const QImage drawing = m_drawing().copy();
    if (drawing.isNull())
        return;
    if (onThisThread)
        write(drawing, m_path);
    else
        QMetaObject::invokeMethod(m_writer, [drawing, path = m_path] { write(drawing, path); }, Qt::QueuedConnection);
}

void RecoveryCopy::waitForWrite()
{
    // The writer takes its work in order: once this empty piece has run, every write before it has.
    QMetaObject::invokeMethod(m_writer, [] {}, Qt::BlockingQueuedConnection);
}

void RecoveryCopy::flush()
{
    m_timer.stop();
    waitForWrite();
    writeNow(true);
}

void RecoveryCopy::discard()
{
    m_discarded = true;
    m_timer.stop();
    waitForWrite();
    QFile::remove(m_path);
}

void RecoveryCopy::flushOnTerminate()
{
    if (g_termPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_termPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_termPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
        notifier->setEnabled(false);
        flush();
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace zorbel
