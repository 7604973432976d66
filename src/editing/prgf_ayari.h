#pragma once
// Tparagraf_ayari: the paragraph settings dialog, created once at start-up
// and shown modally from the Format menu and the document context menu. It
// shows the selected paragraphs' indents in units of 10 points and applies
// all three indents and the chosen alignment on "&Tamam". It reaches the
// active document and the formatting bar's alignment buttons through the
// functions it is given; it knows nothing of the frame.

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelmora {

class TRichEdit;

class Tparagraf_ayari : public QDialog {
    Q_OBJECT
public:
    using EditorSource = std::function<TRichEdit *()>;
    // Pressed states of "Sola Yasla", "Ortala", "Sağa Yasla".
    using AlignmentButtons = std::function<std::array<bool, 3>()>;
    explicit Tparagraf_ayari(QWidget *parent = nullptr, EditorSource activeEditor = {},
                             AlignmentButtons alignmentButtons = {});

    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;

    void FormShow(QObject *sender);
    void Button1Click(QObject *sender);
    void Button2Click(QObject *sender);
    // The form previews every character: Enter in a box or the list applies.
    // A handler drops a character by setting it to QChar().
    void FormKeyPress(QObject *sender, QChar &key);
    // The boxes' one filter: digits, backspace, Enter and Escape pass.
    void Edit1KeyPress(QObject *sender, QChar &key);
    void Edit2KeyPress(QObject *sender, QChar &key);
    void Edit3KeyPress(QObject *sender, QChar &key);

protected:
    void showEvent(QShowEvent *e) override;

private:
    void buildIndentGroup();
    void keyPress(QWidget *target, QChar &key);
    EditorSource m_activeEditor;
    AlignmentButtons m_alignmentButtons;
};

// Program-wide reference, set at start-up.
extern Tparagraf_ayari *paragraf_ayari;

} // namespace kelmora
