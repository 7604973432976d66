#include "AboutAccessible.h"

#include "AboutControls.h"
#include "SecretPanel.h"

#include <QAccessibleWidget>

#include <functional>

namespace kelmora::about {

namespace {

// A control that acts when pressed: the reader's press runs the click.
class PressableAccessible : public QAccessibleWidget {
public:
    PressableAccessible(QWidget *w, QAccessible::Role role, std::function<void()> press)
        : QAccessibleWidget(w, role), m_press(std::move(press))
    {
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (widget()->isEnabled() && actionNames().contains(pressAction()))
            m_press();
    }

private:
    std::function<void()> m_press;
};

// A picture is a button while something listens to its clicks (asked each
// time: the box connects its picture after creating it), an image while it
// has a name, and otherwise decoration a reader passes over.
class PictureAccessible : public PressableAccessible {
public:
    explicit PictureAccessible(PictureBox *picture)
        : PressableAccessible(picture, QAccessible::Client, [picture] { picture->click(); }), m_picture(picture)
    {
    }

    QAccessible::Role role() const override
    {
        if (m_picture->isClickable())
            return QAccessible::Button;
        return m_picture->accessibleName().isEmpty() ? QAccessible::Client : QAccessible::Graphic;
    }

    QStringList actionNames() const override
    {
        return m_picture->isClickable() ? PressableAccessible::actionNames() : QAccessibleWidget::actionNames();
    }

private:
    PictureBox *m_picture;
};

class LinkAccessible : public PressableAccessible {
public:
    explicit LinkAccessible(ClickLabel *link)
        : PressableAccessible(link, QAccessible::Link, [link] { link->click(); }), m_link(link)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && m_link->accessibleName().isEmpty())
            return m_link->text();
        return PressableAccessible::text(t);
    }

private:
    ClickLabel *m_link;
};

class ScrollingTextAccessible : public QAccessibleWidget {
public:
    explicit ScrollingTextAccessible(TSecretPanel *panel)
        : QAccessibleWidget(panel, QAccessible::StaticText), m_panel(panel)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && m_panel->accessibleName().isEmpty())
            return scrollingText(m_panel->Lines());
        return QAccessibleWidget::text(t);
    }

private:
    TSecretPanel *m_panel;
};

QAccessibleInterface *aboutInterface(const QString &, QObject *object)
{
    if (auto *panel = qobject_cast<TSecretPanel *>(object))
        return new ScrollingTextAccessible(panel);
    if (auto *link = qobject_cast<ClickLabel *>(object))
        return new LinkAccessible(link);
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return new PictureAccessible(picture);
    return nullptr;
}

} // namespace

void installAboutAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&aboutInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

QString scrollingText(const QStringList &lines)
{
    QStringList said;
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty())
            said.append(line.trimmed());
    }
    return said.join(QLatin1Char('\n'));
}

} // namespace kelmora::about
