#pragma once
// TKvAbout: the about box as a component. It holds the box's texts and
// pictures as properties and shows the box with Execute. The two pictures
// and the team lines are the component's own objects: assigning one copies
// the given contents in. About is the component's version stamp; it always
// reads "s1.01" and ignores assignments (also when properties are restored).

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

namespace kelmora::about {

class TKvAbout : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString About READ About WRITE SetAbout)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QImage TopPicture READ TopPicture WRITE SetTopPicture)
    Q_PROPERTY(QImage Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(QString ProgramName READ ProgramName WRITE SetProgramName)
    Q_PROPERTY(QStringList Team READ Team WRITE SetTeam)
public:
    // owner: the component's Qt parent; when it is a widget, the box opens over its window.
    explicit TKvAbout(QObject *owner = nullptr);
    ~TKvAbout() override;

    QString About() const { return QStringLiteral("s1.01"); }
    void SetAbout(const QString &) {}
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption) { m_caption = caption; }
    QImage TopPicture() const { return m_topPicture; }
    void SetTopPicture(const QImage &picture) { m_topPicture = picture; }
    QImage Picture() const { return m_picture; }
    void SetPicture(const QImage &picture) { m_picture = picture; }
    QString ProgramName() const { return m_programName; }
    void SetProgramName(const QString &name) { m_programName = name; }
    QStringList Team() const { return m_team; }
    void SetTeam(const QStringList &team) { m_team = team; }

    // Builds a fresh box, fills it from the properties, shows it modally and
    // destroys it once the user has closed it.
    void Execute();

private:
    QString m_caption;
    QImage m_topPicture; // images and lists are values: a copy is a copy
    QImage m_picture;
    QString m_programName;
    QStringList m_team;
};

} // namespace kelmora::about
