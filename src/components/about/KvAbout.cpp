#include "KvAbout.h"

#include "aboutU.h"

#include <QLabel>
#include <QStatusBar>

#include <memory>

namespace kelmora::about {

TKvAbout::TKvAbout(QObject *owner) : QObject(owner)
{
}

TKvAbout::~TKvAbout() = default;

void TKvAbout::Execute()
{
    // Owned here, not by the window it opens over: it lives for this call only.
    auto form = std::make_unique<TAboutF>(qobject_cast<QWidget *>(parent()));
    form->Image1->setPicture(m_picture);
    form->Image3->setPicture(m_topPicture);
    form->RxLabel4->setText(m_programName);
    QStringList credits = form->SecretPanel1->Lines();
    if (credits.isEmpty())
        credits.append(m_programName);
    else
        credits[0] = m_programName;
    form->SecretPanel1->SetLines(credits);
    form->setWindowTitle(m_caption);
    form->StatusPanel0->setText(QStringLiteral("TORVANTA ") + m_programName);
    form->SecretPanel2->SetLines(m_team);
    form->exec();
}

} // namespace kelmora::about
