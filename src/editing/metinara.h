#pragma once
// Tmetin_ara: the text search dialog, created once at start-up and shown
// modally from the Edit menu and the standard bar. Each "&Ara" finds the
// next occurrence in the active document from the program-wide search start
// position, which only a search moves: to the end of a match, or back to 0
// after "not found". The dialog reaches the active document through the
// function it is given; it knows nothing of the frame.

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelmora {

class TRichEdit;

class Tmetin_ara : public QDialog {
    Q_OBJECT
public:
    using EditorSource = std::function<TRichEdit *()>;
    explicit Tmetin_ara(QWidget *parent = nullptr, EditorSource activeEditor = {});

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    void FormShow(QObject *sender);
    void Button1Click(QObject *sender);
    void Button2Click(QObject *sender);
    // Enter in the text box or on the check box searches; the text box drops it.
    // A handler drops a character by setting it to QChar().
    void FormKeyPress(QObject *sender, QChar &key);
    void Edit1KeyPress(QObject *sender, QChar &key);

    // Where the next search begins; shared by all documents and showings.
    static int searchStart();
    static void setSearchStart(int position);

protected:
    void showEvent(QShowEvent *e) override;

private:
    EditorSource m_activeEditor;
};

// Program-wide reference, set at start-up.
extern Tmetin_ara *metin_ara;

} // namespace kelmora
