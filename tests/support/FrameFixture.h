#pragma once
// A fresh main frame for one test: the scripted Platform installed, the frame
// created and shown like at start-up (the program-wide Ana set), and every
// document window dropped without questions at the end.

#include "documents/Childwin.h"
#include "app/Main.h"
#include "documents/RichEdit.h"
#include "ScriptedPlatform.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <memory>

namespace kelmora::test {

class FrameFixture {
public:
    FrameFixture()
    {
        frame = std::make_unique<TAna>();
        Ana = frame.get();
        frame->show();
        frame->activateWindow();
        QApplication::setActiveWindow(frame.get());
        (void)QTest::qWaitForWindowExposed(frame.get());
    }
    ~FrameFixture()
    {
        frame.reset();
        Ana = nullptr;
        // A prompt the test did not script fails it.
        if (!platform->unexpected.isEmpty()) {
            const QByteArray what = "unexpected prompts: " + platform->unexpected.join(QStringLiteral("; ")).toUtf8();
            QTest::qFail(what.constData(), __FILE__, __LINE__);
        }
    }
    TAna *operator->() const { return frame.get(); }
    TAna *get() const { return frame.get(); }

    // New, as the user runs it; returns the new window.
    TMDIchild *newDocument()
    {
        frame->FileNew1->trigger();
        return frame->ActiveMDIChild();
    }
    TRichEdit *editor() const { return frame->activeEditor(); }
    QStringList captions() const
    {
        QStringList out;
        for (TMDIchild *c : frame->MDIChildren())
            out << c->Caption();
        return out;
    }
    // Runs the pending deletions of closed windows.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    ScopedPlatform platform;
    std::unique_ptr<TAna> frame;
};

} // namespace kelmora::test
