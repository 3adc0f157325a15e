#pragma once

#include <QWidget>

#include "base/window_colour.h"

namespace trackmint {

// A small square filled with one window colour. A press of any mouse button (or the space bar
// when it has the focus) is reported while the swatch is enabled; a disabled one takes none.
class Swatch : public QWidget {
  Q_OBJECT

 public:
  explicit Swatch(QWidget* parent = nullptr);

  WindowColour Colour() const { return m_colour; }
  void SetColour(WindowColour colour);

  QSize sizeHint() const override;

 signals:
  void Pressed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  WindowColour m_colour = 0;
};

}  // namespace trackmint
