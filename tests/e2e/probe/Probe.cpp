// A test-only window into a running Kelmora, for the end-to-end suite.
//
// The suite starts the real program binary with this library preloaded
// (LD_PRELOAD) and KELMORA_PROBE naming a local socket. When the application
// object is constructed the library opens that socket and answers one JSON
// request per line with one JSON reply per line. It reads what a person can
// see - windows, titles, focus, box texts, pressed buttons, the open menu,
// message boxes, the active document's text and formatting - by walking the
// widget tree by object name; it never calls into the program and changes
// nothing. The program itself knows nothing of it.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextEdit>
#include <QTextList>

#include <cstdlib>

namespace {

QJsonObject rectJson(const QRect &r)
{
    return {{QStringLiteral("x"), r.x()}, {QStringLiteral("y"), r.y()}, {QStringLiteral("w"), r.width()},
            {QStringLiteral("h"), r.height()}};
}

QRect globalRect(const QWidget *w)
{
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// Widgets in the tree of every top-level window, visible ones first.
QList<QWidget *> allWidgets()
{
    QList<QWidget *> out;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        out.append(top);
        out.append(top->findChildren<QWidget *>());
    }
    std::stable_partition(out.begin(), out.end(), [](QWidget *w) { return w->isVisible(); });
    return out;
}

QWidget *findWidget(const QString &name)
{
    // The active window's widgets win over same-named ones elsewhere (every
    // document window has its own RichEdit1).
    if (QWidget *active = QApplication::activeWindow()) {
        if (active->objectName() == name)
            return active;
        for (QWidget *w : active->findChildren<QWidget *>(name)) {
            if (w->isVisible())
                return w;
        }
    }
    for (QWidget *w : allWidgets()) {
        if (w->objectName() == name)
            return w;
    }
    return nullptr;
}

QString widgetText(QWidget *w)
{
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->currentText();
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return l->text();
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        return b->text();
    if (auto *t = qobject_cast<QTextEdit *>(w)) // a large document's text would slow every answer
        return t->document()->characterCount() < 1 << 20 ? t->toPlainText() : QString();
    if (auto *list = qobject_cast<QListWidget *>(w))
        return list->currentItem() ? list->currentItem()->text() : QString();
    return w->windowTitle();
}

QJsonObject widgetJson(QWidget *w)
{
    QJsonObject o{{QStringLiteral("name"), w->objectName()},
                  {QStringLiteral("class"), QString::fromLatin1(w->metaObject()->className())},
                  {QStringLiteral("visible"), w->isVisible()},
                  {QStringLiteral("enabled"), w->isEnabled()},
                  {QStringLiteral("focus"), w->hasFocus()},
                  {QStringLiteral("rect"), rectJson(globalRect(w))},
                  {QStringLiteral("window"), w->window()->objectName()},
                  {QStringLiteral("text"), widgetText(w)}};
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        o.insert(QStringLiteral("checked"), b->isChecked());
    if (auto *l = qobject_cast<QLineEdit *>(w))
        o.insert(QStringLiteral("selected"), l->selectedText());
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        o.insert(QStringLiteral("index"), c->currentIndex());
        if (c->lineEdit())
            o.insert(QStringLiteral("selected"), c->lineEdit()->selectedText());
        o.insert(QStringLiteral("popup"), c->view() && c->view()->isVisible());
    }
    return o;
}

QJsonObject actionJson(QMenu *menu, QAction *a)
{
    return {{QStringLiteral("name"), a->objectName()},
            {QStringLiteral("text"), a->text()},
            {QStringLiteral("enabled"), a->isEnabled()},
            {QStringLiteral("checked"), a->isChecked()},
            {QStringLiteral("separator"), a->isSeparator()},
            {QStringLiteral("rect"), rectJson(QRect(menu->mapToGlobal(menu->actionGeometry(a).topLeft()),
                                                   menu->actionGeometry(a).size()))}};
}

QJsonObject menuJson(QMenu *menu)
{
    QJsonArray items;
    for (QAction *a : menu->actions())
        items.append(actionJson(menu, a));
    QJsonObject o{{QStringLiteral("name"), menu->objectName()},
                  {QStringLiteral("title"), menu->title()},
                  {QStringLiteral("items"), items},
                  {QStringLiteral("rect"), rectJson(globalRect(menu))}};
    if (QAction *a = menu->activeAction())
        o.insert(QStringLiteral("active"), a->text());
    return o;
}

QJsonObject menuBarJson(QMenuBar *bar)
{
    QJsonArray titles;
    for (QAction *a : bar->actions()) {
        const QRect r = bar->actionGeometry(a);
        titles.append(QJsonObject{{QStringLiteral("text"), a->text()},
                                  {QStringLiteral("enabled"), a->isEnabled()},
                                  {QStringLiteral("rect"), rectJson(QRect(bar->mapToGlobal(r.topLeft()), r.size()))}});
    }
    return {{QStringLiteral("titles"), titles}};
}

QTextEdit *activeEditor()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *area = top->findChild<QMdiArea *>();
        if (!area || !top->isVisible())
            continue;
        QMdiSubWindow *sw = area->currentSubWindow();
        if (!sw || !sw->widget())
            return nullptr;
        return sw->widget()->findChild<QTextEdit *>();
    }
    return nullptr;
}

QJsonObject documentsJson()
{
    QJsonArray titles;
    QString current;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        auto *area = top->findChild<QMdiArea *>();
        if (!area || !top->isVisible())
            continue;
        for (QMdiSubWindow *sw : area->subWindowList(QMdiArea::CreationOrder)) {
            if (sw->isHidden() || !sw->widget())
                continue;
            titles.append(QJsonObject{{QStringLiteral("title"), sw->widget()->windowTitle()},
                                      {QStringLiteral("rect"), rectJson(globalRect(sw))},
                                      {QStringLiteral("minimized"), sw->isMinimized()},
                                      {QStringLiteral("maximized"), sw->isMaximized()}});
        }
        if (area->currentSubWindow() && area->currentSubWindow()->widget())
            current = area->currentSubWindow()->widget()->windowTitle();
    }
    return {{QStringLiteral("windows"), titles}, {QStringLiteral("current"), current}};
}

// The paragraphs drawn in the viewport from top to bottom: those between the
// ones at its top and bottom edges that the layout gave lines and placed
// inside it, so a paragraph the layout skips is missing here as on screen.
// Reads the layout as it stands and lays nothing out.
QJsonArray visibleParagraphs(QTextEdit *e)
{
    const QTextBlock top = e->cursorForPosition(QPoint(2, 0)).block();
    const QTextBlock bottom = e->cursorForPosition(QPoint(2, e->viewport()->height() - 1)).block();
    const double from = e->verticalScrollBar()->value();
    const double to = from + e->viewport()->height();
    QJsonArray out;
    for (QTextBlock b = top; b.isValid() && b.blockNumber() <= bottom.blockNumber() && out.size() < 200;
         b = b.next()) {
        const QTextLayout *l = b.layout();
        const QRectF r = l->boundingRect().translated(l->position());
        if (l->lineCount() > 0 && r.bottom() > from && r.top() < to)
            out.append(b.text().left(60));
    }
    return out;
}

QJsonObject editorJson()
{
    QTextEdit *e = activeEditor();
    if (!e)
        return {};
    const QTextCursor c = e->textCursor();
    const QTextCharFormat f = c.charFormat();
    const QTextBlockFormat b = c.blockFormat();
    QString align = QStringLiteral("left");
    if (b.alignment() & Qt::AlignHCenter)
        align = QStringLiteral("center");
    else if (b.alignment() & Qt::AlignRight)
        align = QStringLiteral("right");
    else if (b.alignment() & Qt::AlignJustify)
        align = QStringLiteral("justify");
    QJsonObject o{{QStringLiteral("name"), e->objectName()},
                  {QStringLiteral("focus"), e->hasFocus()},
                  {QStringLiteral("position"), c.position()},
                  {QStringLiteral("anchor"), c.anchor()},
                  {QStringLiteral("selected"), c.selectedText()},
                  {QStringLiteral("bold"), f.fontWeight() >= QFont::Bold},
                  {QStringLiteral("italic"), f.fontItalic()},
                  {QStringLiteral("underline"), f.fontUnderline()},
                  {QStringLiteral("family"), f.fontFamilies().toStringList().value(0)},
                  {QStringLiteral("pointSize"), f.fontPointSize()},
                  {QStringLiteral("alignment"), align},
                  {QStringLiteral("bulleted"), c.currentList() != nullptr},
                  {QStringLiteral("leftMargin"), b.leftMargin()},
                  {QStringLiteral("textIndent"), b.textIndent()},
                  {QStringLiteral("rightMargin"), b.rightMargin()},
                  {QStringLiteral("scrollY"), e->verticalScrollBar()->value()},
                  {QStringLiteral("undoSteps"), e->document()->availableUndoSteps()},
                  {QStringLiteral("rect"), rectJson(globalRect(e->viewport()))}};
    if (e->document()->characterCount() < 1 << 20)
        o.insert(QStringLiteral("text"), e->toPlainText());
    o.insert(QStringLiteral("length"), e->document()->characterCount() - 1);
    // Whether Qt has laid the document out to its last paragraph yet.
    o.insert(QStringLiteral("laidOut"), e->document()->lastBlock().layout()->lineCount() > 0);
    o.insert(QStringLiteral("visibleParagraphs"), visibleParagraphs(e));
    // Where a given character lies on screen, for clicks on a word.
    o.insert(QStringLiteral("caretRect"),
             rectJson(QRect(e->viewport()->mapToGlobal(e->cursorRect().topLeft()), e->cursorRect().size())));
    return o;
}

QJsonObject messageBoxJson(QMessageBox *box)
{
    QJsonArray buttons;
    for (QAbstractButton *b : box->buttons())
        buttons.append(QJsonObject{{QStringLiteral("text"), b->text()}, {QStringLiteral("rect"), rectJson(globalRect(b))}});
    return {{QStringLiteral("text"), box->text()},
            {QStringLiteral("title"), box->windowTitle()},
            {QStringLiteral("icon"), int(box->icon())},
            {QStringLiteral("buttons"), buttons}};
}

QJsonObject stateJson()
{
    QJsonArray windows;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || qobject_cast<QMenu *>(top))
            continue;
        QJsonObject w{{QStringLiteral("name"), top->objectName()},
                      {QStringLiteral("class"), QString::fromLatin1(top->metaObject()->className())},
                      {QStringLiteral("title"), top->windowTitle()},
                      {QStringLiteral("rect"), rectJson(top->frameGeometry())},
                      {QStringLiteral("active"), top->isActiveWindow()},
                      {QStringLiteral("maximized"), top->isMaximized()},
                      {QStringLiteral("modal"), top->isModal()}};
        windows.append(w);
    }
    QJsonObject o{{QStringLiteral("windows"), windows}, {QStringLiteral("documents"), documentsJson()}};
    if (QWidget *f = QApplication::focusWidget())
        o.insert(QStringLiteral("focus"), widgetJson(f));
    if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
        o.insert(QStringLiteral("menu"), menuJson(popup));
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
        o.insert(QStringLiteral("messageBox"), messageBoxJson(box));
    if (QWidget *modal = QApplication::activeModalWidget())
        o.insert(QStringLiteral("modal"), modal->objectName());
    if (QWidget *hint = findWidget(QStringLiteral("Panel0")))
        o.insert(QStringLiteral("hint"), widgetText(hint));
    o.insert(QStringLiteral("editor"), editorJson());
    return o;
}

QJsonObject answer(const QJsonObject &request)
{
    const QString cmd = request.value(QStringLiteral("cmd")).toString();
    if (cmd == QStringLiteral("state"))
        return stateJson();
    if (cmd == QStringLiteral("widget")) {
        QWidget *w = findWidget(request.value(QStringLiteral("name")).toString());
        return w ? widgetJson(w) : QJsonObject{{QStringLiteral("error"), QStringLiteral("no such widget")}};
    }
    if (cmd == QStringLiteral("menubar")) {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *main = top->findChild<QMenuBar *>(); main && top->isVisible())
                return menuBarJson(main);
        }
        return {{QStringLiteral("error"), QStringLiteral("no menu bar")}};
    }
    return {{QStringLiteral("error"), QStringLiteral("unknown command")}};
}

void serve(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        const QJsonObject request = QJsonDocument::fromJson(line).object();
        socket->write(QJsonDocument(answer(request)).toJson(QJsonDocument::Compact) + '\n');
        socket->flush();
    }
}

void startProbe()
{
    const char *path = std::getenv("KELMORA_PROBE");
    if (!path || !*path)
        return;
    auto *server = new QLocalServer(qApp);
    QLocalServer::removeServer(QString::fromLocal8Bit(path));
    if (!server->listen(QString::fromLocal8Bit(path))) {
        qWarning("kelmora probe: cannot listen on %s", path);
        return;
    }
    QObject::connect(server, &QLocalServer::newConnection, server, [server] {
        while (QLocalSocket *socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket] { serve(socket); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)
