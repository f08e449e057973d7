#include "input/views/RegionOverlay.h"

#include "ui/DesignSize.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace glossivo {

namespace {

constexpr double kDimming = 0.18;
constexpr double kHintGround = 0.6;
constexpr int kHintRadius = 8;
constexpr int kHintFontSize = 14;
constexpr int kOutlineWidth = 2;

} // namespace

RegionOverlay::RegionOverlay(const QList<QRect>& screens, const QPixmap& backdrop,
                             OnFinish onFinish)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint),
      m_backdrop(backdrop), m_onFinish(std::move(onFinish))
{
    setObjectName(QStringLiteral("regionOverlay"));
    if (m_backdrop.isNull()) setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    const QRect frame = RegionDrag::overlayFrame(screens);
    setGeometry(frame);
    for (const QRect& screen : screens)
        m_screens.append(screen.translated(-frame.topLeft()));
}

QString RegionOverlay::hintText()
{
    return QStringLiteral("拖一个框选中要翻译的英文 · Esc 取消");
}

void RegionOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_backdrop.isNull()) painter.drawPixmap(0, 0, m_backdrop);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, kDimming));
    if (const auto selection = m_drag.selection()) {
        // The selection shows the screen undimmed.
        if (m_backdrop.isNull()) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(*selection, Qt::transparent);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        } else {
            // Clipped rather than cut from the picture, whose pixels may be finer than the
            // overlay's.
            painter.save();
            painter.setClipRect(*selection);
            painter.drawPixmap(0, 0, m_backdrop);
            painter.restore();
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), kOutlineWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(*selection);
    }
    for (const QRect& screen : m_screens)
        paintHint(painter, screen);
}

void RegionOverlay::paintHint(QPainter& painter, const QRect& screen)
{
    const QFont font = DesignSize::font(this->font(), kHintFontSize, QFont::Medium);
    const QFontMetrics metrics(font);
    const QSize text(metrics.horizontalAdvance(hintText()), metrics.height());
    const QRect ground = RegionDrag::hintFrame(screen, text);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath rounded;
    rounded.addRoundedRect(ground, kHintRadius, kHintRadius);
    painter.fillPath(rounded, QColor::fromRgbF(0, 0, 0, kHintGround));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(ground, Qt::AlignCenter, hintText());
}

void RegionOverlay::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    m_drag.press(event->position().toPoint());
    update();
}

void RegionOverlay::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    m_drag.move(event->position().toPoint());
    update();
}

void RegionOverlay::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    finish(m_drag.release(event->position().toPoint()));
}

void RegionOverlay::keyPressEvent(QKeyEvent* event)
{
    // Other keys are swallowed: they must not reach the application underneath.
    if (event->key() == Qt::Key_Escape) finish(std::nullopt);
}

void RegionOverlay::finish(std::optional<QRect> rect)
{
    if (!m_onFinish) return;
    const OnFinish onFinish = std::exchange(m_onFinish, {});
    onFinish(rect);
}

} // namespace glossivo
