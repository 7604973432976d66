#include "HostFixture.h"

#include <QCoreApplication>
#include <QTest>

namespace kelmora::test {

HostFixture::HostFixture() = default;

HostFixture::~HostFixture()
{
    for (const QPointer<TMDIchild> &w : std::as_const(m_windows))
        delete w.data();
    if (!platform->unexpected.isEmpty()) {
        const QByteArray what = "unexpected prompts: " + platform->unexpected.join(QStringLiteral("; ")).toUtf8();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    }
}

TMDIchild *HostFixture::activeDocument() const
{
    if (m_active && m_active->isVisible())
        return m_active;
    // Closing the active window activates the one opened last, as the frame does.
    const QList<TMDIchild *> windows = documents();
    return windows.isEmpty() ? nullptr : windows.last();
}

QList<TMDIchild *> HostFixture::documents() const
{
    QList<TMDIchild *> out;
    for (const QPointer<TMDIchild> &w : m_windows) {
        if (w && w->isVisible())
            out.append(w);
    }
    return out;
}

void HostFixture::adoptDocumentWindow(TMDIchild *child)
{
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->resize(400, 300);
    child->show();
    m_windows.append(child);
    m_active = child;
}

TMDIchild *HostFixture::newDocument()
{
    files.newDocument();
    return activeDocument();
}

QStringList HostFixture::captions() const
{
    QStringList out;
    for (TMDIchild *c : documents())
        out << c->Caption();
    return out;
}

void HostFixture::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace kelmora::test
