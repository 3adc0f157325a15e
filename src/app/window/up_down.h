#pragma once

#include <QToolButton>
#include <QWidget>

#include "app/window/spinner_steps.h"

namespace trackmint {

// An up-down spinner beside a read-only field. It keeps a step counter of its own within
// [minimum, maximum]; a press of an arrow moves the counter by one and reports the direction,
// and a press that would leave the range does nothing at all.
class UpDown : public QWidget {
  Q_OBJECT

 public:
  UpDown(int position, int minimum, int maximum, QWidget* parent = nullptr);

  int Position() const { return m_position; }
  // The arrows, for a press from outside (the tests).
  QToolButton* UpButton() const { return m_up; }
  QToolButton* DownButton() const { return m_down; }

 signals:
  void Clicked(trackmint::SpinDirection direction);

 private:
  void Press(SpinDirection direction);

  int m_position;
  int m_minimum;
  int m_maximum;
  QToolButton* m_up;
  QToolButton* m_down;
};

}  // namespace trackmint
