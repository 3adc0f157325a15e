#include "app/window/swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "app/window/system_palette.h"

namespace trackmint {

namespace {

constexpr int kSwatchSide = 16;

// A third of the colour over two thirds of the background: how a disabled swatch shows that it
// takes no presses while its colour stays recognisable.
QColor WashedOut(const QColor& colour, const QColor& background) {
  return QColor((colour.red() + 2 * background.red()) / 3,
                (colour.green() + 2 * background.green()) / 3,
                (colour.blue() + 2 * background.blue()) / 3);
}

}  // namespace

Swatch::Swatch(QWidget* parent) : QWidget(parent) {
  setFixedSize(kSwatchSide, kSwatchSide);
  setFocusPolicy(Qt::TabFocus);
  setCursor(Qt::PointingHandCursor);
}

void Swatch::SetColour(WindowColour colour) {
  m_colour = colour;
  update();
}

QSize Swatch::sizeHint() const {
  return QSize(kSwatchSide, kSwatchSide);
}

void Swatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor fill = ToQColor(ResolveSystemColour(palette(), m_colour));
  painter.fillRect(rect(), isEnabled() ? fill : WashedOut(fill, palette().window().color()));
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}

void Swatch::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (isEnabled()) emit Pressed();
}

void Swatch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && isEnabled()) {
    emit Pressed();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace trackmint
