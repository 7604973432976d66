#pragma once
// The one way a form's controls reach its handlers: each signal runs the
// handler with its sender, always through the guard (an error is shown in the
// standard error box and the program goes on).

#include "Guard.h"

#include <QAction>
#include <QObject>

namespace kelmora {

template <class Form, class Sender, class Signal>
void wire(Form *form, Sender *sender, Signal signal, void (Form::*handler)(QObject *))
{
    QObject::connect(sender, signal, form, [form, sender, handler] { guarded([&] { (form->*handler)(sender); }); });
}

// A ticked menu item whose handler decides the tick itself: Qt's own toggle
// is undone before the handler runs.
template <class Form>
void wireTicked(Form *form, QAction *item, void (Form::*handler)(QObject *))
{
    QObject::connect(item, &QAction::triggered, form, [form, item, handler] {
        guarded([&] {
            item->setChecked(!item->isChecked());
            (form->*handler)(item);
        });
    });
}

} // namespace kelmora
