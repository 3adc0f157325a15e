#include "app/window/window_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "picture/picture_layout.h"

namespace trackmint {
namespace {

// A course arrow pointing up, in a box of side 1 around (0, 0).
QPolygonF ArrowShape() {
  return QPolygonF(
      {QPointF(0.0, -0.5), QPointF(0.36, 0.42), QPointF(0.0, 0.22), QPointF(-0.36, 0.42)});
}

void DrawArrow(QPainter& painter, QPointF centre, double side, double degrees, QColor colour) {
  painter.save();
  painter.translate(centre);
  painter.rotate(degrees);
  painter.scale(side, side);
  QPen outline(QColor(40, 40, 40));
  outline.setWidthF(0.06);
  outline.setJoinStyle(Qt::MiterJoin);
  painter.setPen(outline);
  painter.setBrush(colour);
  painter.drawPolygon(ArrowShape());
  painter.restore();
}

QPixmap IconPixmap(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, side);
  background.setColorAt(0.0, QColor(0x2f, 0x6f, 0xb0));
  background.setColorAt(1.0, QColor(0x1c, 0x46, 0x7a));
  painter.setPen(Qt::NoPen);
  painter.setBrush(background);
  painter.drawRoundedRect(QRectF(0, 0, side, side), side * 0.18, side * 0.18);
  // The same picture as the installed icon: a faint trail into a course arrow.
  const double unit = side / 256.0;
  QPainterPath trail(QPointF(22 * unit, 228 * unit));
  trail.cubicTo(QPointF(62 * unit, 246 * unit), QPointF(78 * unit, 182 * unit),
                QPointF(112 * unit, 166 * unit));
  QPen trail_pen(QColor(255, 255, 255, 90), 10 * unit);
  trail_pen.setCapStyle(Qt::RoundCap);
  painter.setPen(trail_pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(trail);
  DrawArrow(painter, QPointF(132 * unit, 130 * unit), 176 * unit, 30.0, QColor(0x3c, 0xd0, 0x5a));
  return pixmap;
}

}  // namespace

QIcon TrackmintIcon() {
  QIcon icon;
  for (const int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(IconPixmap(side));
  return icon;
}

QPixmap TrackPicture(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);

  QLinearGradient ground(area.topLeft(), area.bottomLeft());
  ground.setColorAt(0.0, QColor(0xe4, 0xf0, 0xf8));
  ground.setColorAt(1.0, QColor(0xd2, 0xe8, 0xcc));
  painter.setPen(QPen(QColor(0x8a, 0x9a, 0xa8), 1.0));
  painter.setBrush(ground);
  painter.drawRoundedRect(area, 6, 6);

  // A faint map grid.
  painter.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
  constexpr double kGrid = 24.0;
  for (double x = area.left() + kGrid; x < area.right(); x += kGrid)
    painter.drawLine(QPointF(x, area.top() + 2), QPointF(x, area.bottom() - 2));
  for (double y = area.top() + kGrid; y < area.bottom(); y += kGrid)
    painter.drawLine(QPointF(area.left() + 2, y), QPointF(area.right() - 2, y));

  // The receiver's path from the bottom left to the top right, and arrows along it turned to
  // the course, in the colours of the fix classes.
  const double w = area.width();
  const double h = area.height();
  QPainterPath track(QPointF(w * 0.12, h * 0.90));
  track.cubicTo(QPointF(w * 0.75, h * 0.92), QPointF(w * 0.85, h * 0.62),
                QPointF(w * 0.50, h * 0.52));
  track.cubicTo(QPointF(w * 0.10, h * 0.42), QPointF(w * 0.20, h * 0.12),
                QPointF(w * 0.88, h * 0.10));
  QPen line(QColor(0xd0, 0x20, 0x20), 2.0);
  line.setCapStyle(Qt::RoundCap);
  painter.setPen(line);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(track);

  const std::array<QColor, 5> colours = {QColor(0, 128, 0), QColor(255, 255, 0), QColor(255, 0, 0),
                                         QColor(255, 0, 255), QColor(0, 255, 255)};
  const double side = std::clamp(std::min(w, h) * 0.16, 12.0, 22.0);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const double at = 0.08 + 0.21 * static_cast<double>(i);
    const double course = 90.0 - track.angleAtPercent(at);  // Qt counts angles counter-clockwise
    DrawArrow(painter, track.pointAtPercent(at), side, course, colours[i]);
  }
  return pixmap;
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize PictureBox::sizeHint() const {
  return QSize(150, 92);
}

void PictureBox::ShowRunPicture(const QImage& picture) {
  m_run_picture = picture;
  setCursor(picture.isNull() ? Qt::ArrowCursor : Qt::PointingHandCursor);
  setToolTip(picture.isNull() ? QString() : QStringLiteral("The whole picture of the run"));
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (m_run_picture.isNull()) {
    painter.drawPixmap(0, 0, TrackPicture(size()));
    return;
  }
  // The map, and the legend under it, each as wide as the box allows (the legend no larger than
  // it is drawn), both smaller together when the box is not tall enough; centred on white.
  const QRectF map(kMapRect.x, kMapRect.y, kMapRect.width, kMapRect.height);
  const QRectF legend(kLegendX - 4, kMapRect.y, kLegendRight - kLegendX + 4, kLegendHeight);
  double map_scale = width() / map.width();
  double legend_scale = std::min(1.0, width() / legend.width());
  const double needed = map.height() * map_scale + legend.height() * legend_scale;
  if (needed > height()) {
    map_scale *= height() / needed;
    legend_scale *= height() / needed;
  }
  const QSizeF map_size = map.size() * map_scale;
  const QSizeF legend_size = legend.size() * legend_scale;
  const double top = (height() - map_size.height() - legend_size.height()) / 2;
  painter.fillRect(rect(), Qt::white);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(QPointF((width() - map_size.width()) / 2, top), map_size), m_run_picture,
                    map);
  painter.drawImage(
      QRectF(QPointF((width() - legend_size.width()) / 2, top + map_size.height()), legend_size),
      m_run_picture, legend);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (ShowsRunPicture() && event->button() == Qt::LeftButton) emit Clicked();
  QWidget::mousePressEvent(event);
}

}  // namespace trackmint
