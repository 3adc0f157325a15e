#include "app/window/up_down.h"

#include <QVBoxLayout>

namespace trackmint {

namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, const char* name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  button->setFixedWidth(16);
  button->setIconSize(QSize(7, 7));
  return button;
}

}  // namespace

UpDown::UpDown(int position, int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      m_position(position),
      m_minimum(minimum),
      m_maximum(maximum),
      m_up(MakeArrow(Qt::UpArrow, "Up", this)),
      m_down(MakeArrow(Qt::DownArrow, "Down", this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_up);
  layout->addWidget(m_down);
  connect(m_up, &QToolButton::clicked, this, [this] { Press(SpinDirection::Up); });
  connect(m_down, &QToolButton::clicked, this, [this] { Press(SpinDirection::Down); });
}

void UpDown::Press(SpinDirection direction) {
  if (direction == SpinDirection::Up) {
    if (m_position >= m_maximum) return;
    ++m_position;
  } else {
    if (m_position <= m_minimum) return;
    --m_position;
  }
  emit Clicked(direction);
}

}  // namespace trackmint
