#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QWidget>

namespace trackmint {

// The window's icon: a course arrow on a rounded square, as the installed icon shows it.
QIcon TrackmintIcon();

// The decorative picture at the top left of the window: a track with arrows in the fix colours.
QPixmap TrackPicture(QSize size);

// A picture without behaviour that fills the room it is given with the track picture.
class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace trackmint
