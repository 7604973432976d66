#pragma once
// A push button whose pressed look is set only from code: a click runs its
// handler but does not toggle the look (the bold, underline, italic buttons).

#include <QToolButton>

namespace kelmora {

class PushLookButton : public QToolButton {
    Q_OBJECT
public:
    explicit PushLookButton(QWidget *parent = nullptr) : QToolButton(parent) { setCheckable(true); }

protected:
    void nextCheckState() override {}
};

} // namespace kelmora
