#include "SecretPanel.h"

#include "SteppingThread.h"
#include "UiSignal.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace kelmora::about {

namespace {

// Copies that share nothing with the user-interface thread's objects: Qt's
// implicitly shared font and string data are not meant to be touched from
// two threads at once.
QStringList detachedLines(const QStringList &lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QString &line : lines)
        out.append(QString(line.constData(), line.size()));
    return out;
}

QFont detachedFont(const QFont &font)
{
    QFont out;
    out.fromString(font.toString());
    return out;
}

} // namespace

// What the timer thread draws from and into; guarded by m_mutex.
struct TSecretPanel::Scene {
    QImage image;
    int position = 0;
    ScrollLayout layout;
    QStringList lines;
    QFont font;
    QColor background;
    QColor foreground;
    Qt::Alignment alignment = Qt::AlignHCenter;
    bool overstrike = false; // bold asked of a bitmap face, which Qt cannot embolden

    void render();
};

void TSecretPanel::Scene::render()
{
    if (image.isNull())
        return;
    image.fill(background);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(foreground);
    const QFontMetrics fm(font);
    // Bitmap faces report no usable average width; "x" stands for it.
    const int tabWidth = kTabStopChars * fm.horizontalAdvance(QLatin1Char('x'));
    const auto advance = [&fm](const QString &s) { return fm.horizontalAdvance(s); };
    for (const PlacedLine &placed : visibleLines(layout, position)) {
        const ExpandedLine line = expandTabs(cutLine(lines.at(placed.index)), tabWidth, advance);
        const int left = alignedLeft(image.width(), line.width, alignment);
        const int baseline = placed.top + fm.ascent();
        for (const TextRun &run : line.runs) {
            p.drawText(left + run.x, baseline, run.text);
            // The desktop's way with bitmap faces: the same text once more, a pixel to the right.
            if (overstrike)
                p.drawText(left + run.x + 1, baseline, run.text);
        }
    }
}

TSecretPanel::TSecretPanel(QWidget *parent) : BevelPanel(parent)
{
    setBevels(Bevel::None, Bevel::None, 1);
    m_stepped = new UiSignal([this] { onStepped(); }, this);
}

TSecretPanel::~TSecretPanel()
{
    m_thread.reset();
}

void TSecretPanel::SetActive(bool active)
{
    if (active == m_active)
        return;
    if (active) {
        m_active = true;
        ++m_run;
        for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isHidden()) {
                m_hiddenChildren.append(child);
                child->hide();
            }
        }
        {
            std::lock_guard lock(m_mutex);
            m_scene = std::make_unique<Scene>();
        }
        relayout(true);
        startThread();
    } else {
        m_thread.reset();
        {
            std::lock_guard lock(m_mutex);
            m_scene.reset();
        }
        m_active = false;
        m_layout = {};
        for (const QPointer<QWidget> &child : std::as_const(m_hiddenChildren)) {
            if (child)
                child->show();
        }
        m_hiddenChildren.clear();
    }
    update();
}

void TSecretPanel::startThread()
{
    const QString name = objectName().isEmpty() ? QStringLiteral("TSecretPanel") : objectName();
    m_thread = std::make_unique<SteppingThread>(
        std::chrono::milliseconds(m_interval), [this, run = m_run] { return step(run); }, name.toStdString());
}

void TSecretPanel::SetLines(const QStringList &lines)
{
    m_lines = lines;
    relayout(true);
}

void TSecretPanel::SetGlyph(const QImage &glyph)
{
    m_glyph = glyph;
    m_drawnGlyph = transparentGlyph(glyph);
    relayout(false);
}

void TSecretPanel::SetInterval(int milliseconds)
{
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    // The new pace takes effect at once; the position is kept.
    if (m_active) {
        m_thread.reset();
        startThread();
    }
}

bool TSecretPanel::Cycled() const
{
    return m_cycled.load();
}

void TSecretPanel::SetCycled(bool cycled)
{
    m_cycled.store(cycled);
}

void TSecretPanel::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    relayout(false);
}

void TSecretPanel::SetFontColor(const QColor &color)
{
    m_fontColor = color;
    relayout(false);
}

void TSecretPanel::SetColor(const QColor &color)
{
    setColor(color);
    relayout(false);
}

int TSecretPanel::ScrollPos() const
{
    std::lock_guard lock(m_mutex);
    return m_scene ? m_scene->position : 0;
}

ScrollLayout TSecretPanel::layout() const
{
    return m_layout;
}

QImage TSecretPanel::textImage() const
{
    std::lock_guard lock(m_mutex);
    return m_scene ? m_scene->image.copy() : QImage();
}

void TSecretPanel::relayout(bool restart)
{
    if (!m_active)
        return;
    const QFontMetrics fm(font());
    m_layout = layoutPanel(size(), frame(), m_drawnGlyph.size(), fm.height(), fm.leading(), m_lines);
    {
        std::lock_guard lock(m_mutex);
        Scene &s = *m_scene;
        s.layout = m_layout;
        s.lines = detachedLines(m_lines);
        s.font = detachedFont(font());
        const QFontInfo resolved(font());
        s.overstrike = font().bold() && !QFontDatabase::isSmoothlyScalable(resolved.family(), resolved.styleName());
        // Overstruck letters are a pixel wider each, as on the desktop that made these faces.
        if (s.overstrike)
            s.font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        s.background = color();
        s.foreground = m_fontColor;
        s.alignment = m_alignment;
        if (restart)
            s.position = 0;
        if (s.image.size() != m_layout.textArea.size()) {
            s.image = m_layout.textArea.isEmpty() ? QImage()
                                                  : QImage(m_layout.textArea.size(), QImage::Format_RGB32);
        }
        s.render();
    }
    update();
}

bool TSecretPanel::step(unsigned run)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_scene)
            return false;
        Scene &s = *m_scene;
        const std::optional<int> next = nextScrollPosition(s.position, s.layout.scrollRange, m_cycled.load());
        if (!next) {
            // Only the user-interface thread may deactivate the panel.
            m_ranOut.store(run);
            m_stepped->raise();
            return false;
        }
        s.position = *next;
        s.render();
    }
    m_stepped->raise();
    return true;
}

void TSecretPanel::onStepped()
{
    // A stop for an earlier activation (stopped, or stopped and started
    // again since) is dropped.
    const unsigned ranOut = m_ranOut.exchange(0);
    if (m_active && ranOut == m_run) {
        SetActive(false);
        return;
    }
    if (m_active)
        update(m_layout.textArea);
}

void TSecretPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintPanel(p);
    if (!m_active)
        return;
    if (!m_drawnGlyph.isNull())
        p.drawImage(m_layout.glyphRect.topLeft(), m_drawnGlyph);
    std::lock_guard lock(m_mutex);
    if (m_scene && !m_scene->image.isNull())
        p.drawImage(m_layout.textArea.topLeft(), m_scene->image);
}

void TSecretPanel::resizeEvent(QResizeEvent *)
{
    relayout(false);
}

void TSecretPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        relayout(false);
    BevelPanel::changeEvent(event);
}

void TSecretPanel::frameChanged()
{
    relayout(false);
}

QImage transparentGlyph(const QImage &glyph)
{
    if (glyph.isNull() || glyph.hasAlphaChannel())
        return glyph;
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = glyph.pixel(0, glyph.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
        }
    }
    return out;
}

} // namespace kelmora::about
