#pragma once
// TMDIchild: one document window inside the frame's client area, holding one
// editing surface, RichEdit1, which fills it. Its caption is the document
// title: the file's full path, or an untitled name "ADSIZ<n>". An untitled
// document stays untitled even when a file of that name exists, until it is
// saved through the dialog. Closing a modified document asks whether to save it.

#include <QWidget>

class QCloseEvent;
class QMdiSubWindow;

namespace kelmora {

class TRichEdit;

enum class CloseAction { None, Free };

class TMDIchild : public QWidget {
    Q_OBJECT
public:
    explicit TMDIchild(QWidget *parent = nullptr);

    TRichEdit *RichEdit1 = nullptr;

    // The title doubles as the path once the document has one.
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &caption) { setWindowTitle(caption); }
    bool IsUntitled() const { return m_untitled; }
    void SetUntitled(bool untitled) { m_untitled = untitled; }
    // True when the title is a path that names an existing file.
    bool TitleNamesExistingFile() const;
    QMdiSubWindow *subWindow() const;

    void FormClose(QObject *sender, CloseAction &action);
    void RichEdit1MouseDown(QObject *sender);
    void RichEdit1KeyDown(QObject *sender);
    void RichEdit1KeyUp(QObject *sender);

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    bool m_untitled = false;
};

} // namespace kelmora
