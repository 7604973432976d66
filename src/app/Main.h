#pragma once
// TAna: the main frame. A multiple-document frame holding the document
// windows, with the main menu, the standard and formatting bars, the status
// bar's hint line, two context menus, the file dialogs and the 200 ms refresh
// timer. It is a shell: it lays out its controls and wires each one to its
// handler. The file, print, edit and formatting handlers are one-line calls
// to the command classes of their layers, which reach the documents through
// the DocumentHost the frame implements.

#include "base/ui/Platform.h"
#include "documents/DocumentHost.h"
#include "documents/FileCommands.h"
#include "documents/RichEdit.h"
#include "editing/EditCommands.h"
#include "editing/FormatCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>

class QButtonGroup;
class QComboBox;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

namespace kelmora {

namespace about {
class TKvAbout;
}
class TMDIchild;
class ShortcutFilter;
class KeyPreview;

class TAna : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    explicit TAna(QWidget *parent = nullptr);
    ~TAna() override;

    // ---- frame handlers ----
    void FormCreate(QObject *sender);
    void FormShow(QObject *sender);
    void hintgoster(QObject *sender);
    void araccubuguClick(QObject *sender);
    void bicimcubuguClick(QObject *sender);
    void durumcubuguClick(QObject *sender);
    void aracubugu1Click(QObject *sender);
    void bicimcubugu1Click(QObject *sender);
    void FileExit1Execute(QObject *sender);
    void Hakknda1Click(QObject *sender);
    void WebSitesi1Click(QObject *sender);
    void ProgramSrmnKontrolEt1Click(QObject *sender);

    // ---- window arrangement (MainWindows.cpp) ----
    void WindowCascade1Execute(QObject *sender);
    void WindowTileHorizontal1Execute(QObject *sender);
    void WindowTileVertical1Execute(QObject *sender);
    void WindowMinimizeAll1Execute(QObject *sender);
    void FileClose1Execute(QObject *sender);
    void EditCut1Execute(QObject *sender);
    void EditCopy1Execute(QObject *sender);
    void EditPaste1Execute(QObject *sender);

    // ---- command-state refresh (all of it in MainRefresh.cpp) ----
    void Timer1Timer(QObject *sender);
    void durum_kontrol(QObject *sender);
    // Runs the update step of the self-enabling actions (close, window
    // arrangement, clipboard); the platform does this when idle, when a menu
    // opens and before a shortcut is judged.
    void updateActions();
    // ---- documents and files ----
    void pencere_ac(const QString &name);
    void FileNew1Execute(QObject *sender);
    void FileOpen1Execute(QObject *sender);
    void FileSaveItemClick(QObject *sender);
    void FileSaveAsItemClick(QObject *sender);
    void ToolButton2Click(QObject *sender);
    void yazdirClick(QObject *sender);
    void ToolButton12Click(QObject *sender);
    // The exit pass; returns false when the frame must stay open.
    bool FormClose(QObject *sender);

    // ---- edit commands ----
    void GeriAl1Click(QObject *sender);
    void ToolButton17Click(QObject *sender);
    void GeriAl2Click(QObject *sender);
    void TmnSe1Click(QObject *sender);
    void TmnSe2Click(QObject *sender);
    void Sil1Click(QObject *sender);
    void Sil2Click(QObject *sender);
    void MetinAra1Click(QObject *sender);
    void ToolButton15Click(QObject *sender);
    void Paragraf1Click(QObject *sender);
    void Paragraf2Click(QObject *sender);

    // ---- formatting commands ----
    void ToolButton18Click(QObject *sender);
    void ToolButton19Click(QObject *sender);
    void ToolButton20Click(QObject *sender);
    void ToolButton22Click(QObject *sender);
    void ToolButton23Click(QObject *sender);
    void ToolButton24Click(QObject *sender);
    void ToolButton26Click(QObject *sender);
    void ToolButton28Click(QObject *sender);
    void Maddemi1Click(QObject *sender);
    void YazTipi1Click(QObject *sender);
    void ComboBox1Change(QObject *sender);
    void ComboBox2Change(QObject *sender);
    // Filters each character typed into the size box; a dropped one is set to QChar().
    void ComboBox2KeyPress(QObject *sender, QChar &key);

    // ---- queries used across the program ----
    QMdiArea *clientArea() const { return m_mdiArea; }
    // The active document window (its editor: activeEditor()), or nullptr.
    TMDIchild *ActiveMDIChild() const;
    QList<TMDIchild *> MDIChildren() const; // in creation order
    int MDIChildCount() const;

    // ---- the host of the document windows ----
    QWidget *dialogParent() override { return this; }
    TMDIchild *activeDocument() const override { return ActiveMDIChild(); }
    QList<TMDIchild *> documents() const override { return MDIChildren(); }
    void adoptDocumentWindow(TMDIchild *child) override;
    QMenu *documentMenu() override { return PopupMenu1; }
    void activateDocument(TMDIchild *child) override;
    void refresh() override;
    FileDialogState &openDialog() override { return Open1; }
    FileDialogState &saveDialog() override { return save1; }
    // The caption FormShow gave the frame. windowTitle() is not it: Qt adds
    // " - [title]" to that while a document window is maximized.
    QString Caption() const { return m_caption; }
    // Puts the long part of a hint text on the hint line.
    void setApplicationHint(const QString &hint);

    // ---- controls (named as on the form) ----
    QMenu *File1 = nullptr, *Edit1 = nullptr, *Grnm1 = nullptr, *Biim1 = nullptr, *Window1 = nullptr,
          *Yardm1 = nullptr;
    QAction *FileNewItem = nullptr, *FileOpenItem = nullptr, *FileCloseItem = nullptr, *FileSaveItem = nullptr,
            *FileSaveAsItem = nullptr, *yazdir = nullptr, *FileExitItem = nullptr;
    QAction *GeriAl1 = nullptr, *CutItem = nullptr, *CopyItem = nullptr, *PasteItem = nullptr, *TmnSe1 = nullptr,
            *Sil1 = nullptr, *MetinAra1 = nullptr;
    QAction *araccubugu = nullptr, *bicimcubugu = nullptr, *durumcubugu = nullptr;
    QAction *Paragraf1 = nullptr, *Maddemi1 = nullptr, *YazTipi1 = nullptr;
    QAction *De1 = nullptr, *YatayDe1 = nullptr, *DikeyDe1 = nullptr, *TmMiniminze1 = nullptr;
    QAction *Hakknda1 = nullptr, *WebSitesi1 = nullptr, *ProgramSrmnKontrolEt1 = nullptr;

    // ActionList1: logical commands; menu items and buttons link to them.
    QAction *FileNew1 = nullptr, *FileOpen1 = nullptr, *FileClose1 = nullptr, *FileExit1 = nullptr,
            *EditCut1 = nullptr, *EditCopy1 = nullptr, *EditPaste1 = nullptr, *WindowCascade1 = nullptr,
            *WindowTileHorizontal1 = nullptr, *WindowTileVertical1 = nullptr, *WindowMinimizeAll1 = nullptr;

    QToolBar *ToolBar2 = nullptr; // standard bar
    QToolBar *ToolBar1 = nullptr; // formatting bar
    QToolButton *ToolButton9 = nullptr, *ToolButton1 = nullptr, *ToolButton2 = nullptr, *ToolButton12 = nullptr,
                *ToolButton15 = nullptr, *ToolButton4 = nullptr, *ToolButton5 = nullptr, *ToolButton6 = nullptr,
                *ToolButton17 = nullptr, *ToolButton8 = nullptr, *ToolButton10 = nullptr, *ToolButton11 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QToolButton *ToolButton18 = nullptr, *ToolButton19 = nullptr, *ToolButton20 = nullptr, *ToolButton22 = nullptr,
                *ToolButton23 = nullptr, *ToolButton24 = nullptr, *ToolButton26 = nullptr, *ToolButton27 = nullptr;
    QButtonGroup *alignmentGroup = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *statusPanel0 = nullptr;

    QMenu *PopupMenu1 = nullptr; // document context menu
    QAction *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr, *TmnSe2 = nullptr, *Sil2 = nullptr,
            *GeriAl2 = nullptr, *Paragraf2 = nullptr;
    QMenu *PopupMenu2 = nullptr; // toolbar context menu
    QAction *aracubugu1 = nullptr, *bicimcubugu1 = nullptr;

    FileDialogState Open1;
    FileDialogState save1;
    QColor renkColor = Qt::black; // the colour dialog's current colour
    QFont FontDialog1Font;        // the font dialog's last confirmed font
    QTimer *Timer1 = nullptr;
    QLabel *ImageTitle = nullptr;         // hidden; the title picture handed to the Help components
    about::TKvAbout *KvAbout1 = nullptr;  // the about component, a child of the frame

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    // The frame offers no menu of its own on its bars or menu bar; the bars show PopupMenu2.
    QMenu *createPopupMenu() override;

private:
    void buildActions();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewFormatMenus();
    void buildWindowHelpMenus();
    void buildStandardBar();
    void buildFormattingBar();
    void buildFontBoxes();
    void buildStatusBar();
    void buildContextMenus();
    void buildDialogs();
    void buildAboutComponents();
    void buildRefresh();
    void updateClipboardActions();
    void fillWindowList();
    void setComboText(QComboBox *box, const QString &text);
    // The two boxes: what each key typed (completed against the list) is one change.
    void frameKeyPress(QWidget *target, QChar &key);
    void watchBox(QComboBox *box, void (TAna::*change)(QObject *));
    void boxTextEdited(QComboBox *box, void (TAna::*change)(QObject *));
    void followHints(QMenu *menu);
    void toggleStyle(FontStyle member, QToolButton *button);
    // The five view handlers: flip item's tick (and its twin's) and show or hide bar.
    void flipView(QAction *item, QAction *twin, QWidget *bar);

    QMdiArea *m_mdiArea = nullptr;
    ShortcutFilter *m_shortcuts = nullptr;
    KeyPreview *m_keys = nullptr;
    QComboBox *m_boxInKey = nullptr; // the box a key is being delivered to
    QString m_boxTextBeforeKey;
    QChar m_boxKeyTyped;             // the character that key typed, if any
    FileCommands m_files{*this};
    EditCommands m_edit{*this};
    FormatCommands m_format{*this};
    QList<QAction *> m_windowListActions;
    QString m_hint;
    QString m_caption;
    bool m_hintHandlerInstalled = false;
    bool m_shown = false;
    bool m_settingBoxes = false; // text put into the boxes from code
    bool m_clipboardHasText = false;
};

// Program-wide reference to the main frame, set at start-up.
extern TAna *Ana;

} // namespace kelmora
